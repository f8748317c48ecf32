// What the exercise run tells, as it happens, to whoever keeps the pupil's
// practice: each keystroke it judged, each sentence finished with its
// figures, and a sentence given up before its end. The run calls it and
// nothing else; what happens to the practice is the observer's business.
#pragma once

#include <cstdint>
#include <string>

struct FinishedSentence {
    std::string exercise; // the exercise file's name, empty for the built-in sentences
    std::int16_t level = 1;
    std::int16_t number = 1; // in the exercise, 1..15
    std::int16_t difficulty = 0;
    float speed = 0; // characters per second
    std::int16_t points = 0;
    std::int16_t correct = 0;
    std::int16_t wrong = 0;
    std::int32_t seconds = 0;
    std::int64_t finishedAt = 0; // the run's clock (seconds since 1970)
};

class PracticeObserver {
public:
    virtual ~PracticeObserver() = default;
    // A keystroke that counts: a correct one, or a wrong one once the clock
    // runs. atMilliseconds comes from the run's clock; only differences count.
    virtual void KeystrokeJudged(char expected, char typed, std::int64_t atMilliseconds) = 0;
    virtual void SentenceFinished(const FinishedSentence& sentence) = 0;
    // A restart, a change of language or the return to the start screen.
    virtual void SentenceAbandoned() = 0;
};
