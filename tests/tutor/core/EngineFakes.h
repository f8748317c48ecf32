// Stand-ins for the ports of the exercise run: a clock the test sets, a
// random source that plays back a script, Caps Lock, a results window that
// answers from a script and an observer that records what it is told.
#pragma once

#include "common/core/TextMeasure.h"
#include "tutor/core/ResultsTable.h"
#include "tutor/core/TutorPorts.h"
#include "tutor/core/TutorScreen.h"

#include <cstdint>
#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

class FakeClock : public Clock {
public:
    std::int64_t Now() const override { return now; }
    std::int64_t Milliseconds() const override { return ms; }
    std::int64_t now = 1000;
    std::int64_t ms = 0;
};

class ScriptedRandom : public RandomSource {
public:
    void Reseed() override { ++reseeds; }
    double Next() override {
        if (script.empty())
            throw std::logic_error("random script used up");
        const double r = script.front();
        script.pop_front();
        return r;
    }
    // r that draws `index` among the 15 of the level starting at `lowest`.
    static double For(int index, int lowest) { return (index - lowest + 0.5) / 15.0; }
    // r that RandomBetween(low, high) turns into `value`.
    static double Between(int value, int low, int high) {
        return (value - low + 0.5) / (high - low + 1);
    }
    std::deque<double> script;
    int reseeds = 0;
};

class FakeCapsLock : public CapsLock {
public:
    bool IsOn() const override { return on; }
    void SwitchOff() override {
        on = false;
        ++switchedOff;
    }
    bool on = false;
    int switchedOff = 0;
};

class ScriptedPresenter : public ResultsPresenter {
public:
    // Answers at once, as a window would that the pupil closes at once;
    // with `later` the answer waits in `pending` until the test gives it.
    void ShowResults(const ResultsTable& results, Answered answered) override {
        shown.push_back(results);
        if (later) {
            pending = std::move(answered);
            return;
        }
        std::int16_t answer = 0;
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        answered(answer);
    }
    bool later = false;
    Answered pending;
    std::deque<std::int16_t> answers;
    std::vector<ResultsTable> shown;
};

class RecordingObserver : public TutorObserver {
public:
    void ScreenChanged(const TutorScreen& s, const ScreenChange& change) override {
        screen = s;
        changes.push_back(change);
    }
    void PlaySound(int number) override { sounds.push_back(number); }
    void FlashInputBox() override { ++flashes; }
    void CloseKeyMap() override { ++keyMapClosed; }
    void ShowWelcome() override { ++welcomes; }
    void CloseProgram() override { ++closeRequests; }

    TutorScreen screen;
    std::vector<ScreenChange> changes;
    std::vector<int> sounds;
    int flashes = 0;
    int keyMapClosed = 0;
    int welcomes = 0;
    int closeRequests = 0;
};

// Every character is `perChar` pixels wide.
class FixedWidthMeasure : public TextMeasure {
public:
    explicit FixedWidthMeasure(int perChar = 10) : m_perChar(perChar) {}
    int Width(const std::string& text, const FontSpec&) const override {
        return static_cast<int>(text.size()) * m_perChar;
    }

private:
    int m_perChar;
};
