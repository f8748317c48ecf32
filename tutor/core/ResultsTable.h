// ResultsTable holds the figures of one exercise that the results window, the
// printout and the PDF show: the speed of each of the 15 sentences, the
// difficulty they were scored with, how far the exercise went and the pupil's
// answer in the results window.
#pragma once

#include <array>
#include <cstdint>
#include <string>

struct ResultsTable {
    // Characters per second, slots 1..15 (slot 0 unused); 1-5 level 1,
    // 6-10 level 2, 11-15 level 3.
    std::array<float, 16> SentenceSpeeds{};
    float PointsFactor = 0.4f;
    std::int16_t Difficulty = 0; // 0 Principiante, 1 Esperto
    std::string CategoryName;
    std::int16_t LevelsReached = 0;
    std::int16_t TotalCorrect = 0;
    std::int16_t TotalWrong = 0;
    std::int16_t ResultsOutcome = 0; // 1 a level finished, 2 the exercise finished
    std::int16_t ResultsAnswer = -1; // 0 continue, 1 end, -1 closed otherwise
};
