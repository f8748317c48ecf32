// SentenceTiming measures the sentences of an exercise and scores them: it
// holds the difficulty, runs the clock and the speed gauge from the first
// correct keystroke, keeps the record marker of the level, and at the end
// of a sentence works out speed, points, record, the level average and the
// result message. It writes what shows into the TutorScreen and the figures
// into the ResultsTable; ExerciseRun decides when each step happens.
#pragma once

#include "common/core/UiTexts.h"
#include "tutor/core/ResultsTable.h"
#include "tutor/core/TutorScreen.h"

#include <cstdint>
#include <string>

class RandomSource;

struct SentenceResult {
    float speed = 0.0f;
    std::int16_t points = 0;
    bool record = false;
};

class SentenceTiming {
public:
    SentenceTiming(TutorScreen& screen, ResultsTable& results, RandomSource& random,
                   int gaugeWidth);

    void SetDifficulty(std::int16_t index, const UiTexts& texts);
    int GaugeScaleK() const { return m_scale; }
    int GaugeLength() const { return m_gaugeLength; }
    std::int64_t StartTime() const { return m_startTime; }

    // The first correct keystroke of a sentence.
    void StartClock(std::int64_t now);
    void StopClock();
    // The 200 ms tick: clock text and gauge for the time so far.
    void ClockTick(std::int64_t now, std::int16_t position);
    // At the first sentence of a level: the marker spans the whole gauge.
    void ResetRecordMarker(std::int16_t level);
    // The end of a sentence; stores its speed in slot sentenceNumber.
    SentenceResult EvaluateSentence(std::int64_t now, const std::string& sentence,
                                    std::int16_t position, std::int16_t sentenceNumber,
                                    std::int16_t levelsReached, bool firstOfLevel,
                                    const UiTexts& texts);
    // The 150 ms tick of the record animation.
    void RecordAnimationTick();
    void StopRecordAnimation() { m_screen.recordAnimation = false; }
    void ClearLevelPointsSum() { m_levelPointsSum = 0; }

private:
    TutorScreen& m_screen;
    ResultsTable& m_results;
    RandomSource& m_random;
    int m_gaugeWidth;
    int m_scale = 75;
    std::int64_t m_startTime = 0;
    int m_gaugeLength = 0;
    std::int16_t m_levelPointsSum = 0;
    int m_animationFrame = 0;
};

// The result message: praise, points and keystrokes per minute, then the
// prompt to go on; a record also says it beat the last one.
std::string ComposeResultMessage(const UiTexts& texts, const std::string& praise,
                                 std::int16_t points, float speed, bool record);
