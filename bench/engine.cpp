// Speed of the exercise run: one correct keystroke through EvaluateKeystroke
// (key lookup, counters, typed part and observer calls included), and a
// whole exercise of 15 built-in sentences with its three results windows,
// the pauses after the sentences skipped by a clock that jumps.
#include "common/core/UiTexts.h"
#include "tutor/core/BuiltInSentence.h"
#include "tutor/core/ExerciseCatalogue.h"
#include "tutor/core/ExerciseRun.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace {

class JumpingClock : public Clock {
public:
    std::int64_t Now() const override { return now; }
    std::int64_t now = 0;
};

// xorshift: quick, and the same draws at every run.
class FastRandom : public RandomSource {
public:
    void Reseed() override {}
    double Next() override {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        return static_cast<double>(m_state >> 11) / 9007199254740992.0;
    }

private:
    std::uint64_t m_state = 0x9E3779B97F4A7C15ull;
};

class CapsOff : public CapsLock {
public:
    bool IsOn() const override { return false; }
    void SwitchOff() override {}
};

class AlwaysContinue : public ResultsPresenter {
public:
    void ShowResults(const ResultsTable& results, Answered answered) override {
        benchmark::DoNotOptimize(results.SentenceSpeeds.data());
        answered(0);
    }
};

// Takes in what the window would render, as cheaply as a window could.
class SinkObserver : public TutorObserver {
public:
    void ScreenChanged(const TutorScreen& screen, const ScreenChange& change) override {
        benchmark::DoNotOptimize(screen.correctCounter.data());
        calls += change.keyboard.areas.size() + 1;
    }
    void PlaySound(int number) override { calls += number; }
    void FlashInputBox() override { ++calls; }
    void CloseKeyMap() override { ++calls; }
    void ShowWelcome() override { ++calls; }
    void CloseProgram() override { ++calls; }
    std::uint64_t calls = 0;
};

class ZeroWidth : public TextMeasure {
public:
    int Width(const std::string&, const FontSpec&) const override { return 0; }
};

struct Tutor {
    Tutor()
        : texts(UiTexts::BuiltIn(UiProgram::Tutor)),
          catalogue({"/nonexistent-zentavo-bench/"}, texts, measure,
                    {FontSpec{"Arial", 14.25f}, 600}, ""),
          run({clock, random, capsLock, presenter}, catalogue, keyboard, observer, texts, false) {
        run.SetSoundsOn(true);
    }
    JumpingClock clock;
    FastRandom random;
    CapsOff capsLock;
    AlwaysContinue presenter;
    SinkObserver observer;
    ZeroWidth measure;
    UiTexts texts;
    ExerciseCatalogue catalogue;
    KeyboardModel keyboard;
    ExerciseRun run;
};

// The keystrokes that type a sentence: one Enter for each CR LF.
std::string Keystrokes(const std::string& sentence) {
    std::string keys;
    for (std::size_t i = 0; i < sentence.size(); ++i) {
        if (!(sentence[i] == '\n' && i > 0 && sentence[i - 1] == '\r'))
            keys += sentence[i];
    }
    return keys;
}

void BM_CorrectKeystroke(benchmark::State& state) {
    Tutor tutor;
    std::int16_t index = 1;
    std::string keys;
    std::size_t next = 0;
    for (auto _ : state) {
        // Each sentence is typed up to its last character, whose keystroke
        // would also evaluate the sentence.
        if (next + 1 >= keys.size()) {
            state.PauseTiming();
            index = static_cast<std::int16_t>(index % kBuiltInSentenceCount + 1);
            const std::string sentence = BuiltInSentence(index);
            keys = Keystrokes(sentence);
            next = 0;
            tutor.run.BeginSentence(sentence);
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(tutor.run.EvaluateKeystroke(keys[next++]));
    }
    benchmark::DoNotOptimize(tutor.observer.calls);
}
BENCHMARK(BM_CorrectKeystroke);

void BM_WholeExercise(benchmark::State& state) {
    Tutor tutor;
    tutor.run.ShowStartChoices();
    tutor.run.EnableStart();
    for (auto _ : state) {
        // The Enter after sentence 15 shows the results and starts sentence
        // 1 again: there is no exercise list to return to.
        for (int n = 1; n <= 15; ++n) {
            tutor.run.KeyPressed('\r');
            const std::string keys = Keystrokes(tutor.run.Sentence().CurrentSentence);
            tutor.run.KeyPressed('#'); // a wrong key before the clock runs
            for (std::size_t k = 0; k < keys.size(); ++k) {
                if (k == 1)
                    tutor.clock.now += 20;
                if (k == 5)
                    tutor.run.KeyPressed('#'); // and one after
                tutor.run.KeyPressed(keys[k]);
            }
            tutor.clock.now += ExerciseRun::kPauseSeconds;
            tutor.run.PauseTick();
        }
    }
    benchmark::DoNotOptimize(tutor.observer.calls);
}
BENCHMARK(BM_WholeExercise)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
