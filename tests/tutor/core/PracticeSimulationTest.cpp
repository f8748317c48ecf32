// A month of practice on a simulated pupil, to check the loop from figures
// to exercise to figures: the pupil types each day's personal exercise with
// error probabilities that start from the statistics and fall with each
// keystroke of the key; an error on "à" types "ò" with a probability that
// falls each time the two are typed in the same line. The figures the next
// exercise is made from are the recent ones (older days count less). The
// same pupil practising the built-in sentences instead is the comparison.
#include "tutor/core/BuiltInSentence.h"
#include "tutor/core/PracticeGenerator.h"

#include "PracticeFixtures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>

namespace {

constexpr char kOGrave = '\xF2';
constexpr char kAGrave = '\xE0';
constexpr int kDays = 30;
constexpr double kFloorError = 0.02;
constexpr double kStartError = 0.03;
constexpr double kWeakStartError = 0.30;
// Each keystroke of a key takes this share of its error above the floor away.
constexpr double kLearnPerKeystroke = 0.995;
constexpr double kStartConfusion = 0.8;
constexpr double kConfusionKeptPerLine = 0.97;
// Yesterday's figures count this much of today's.
constexpr double kFiguresKeptPerDay = 0.7;
constexpr double kBaseIntervalMs = 250.0;
constexpr double kIntervalPerError = 500.0;

class Pupil {
public:
    Pupil() {
        for (const KeyEntry& entry : KeyTable::Entries()) {
            const char c = static_cast<char>(entry.Character);
            if (c != ' ' && c != '\r')
                m_error[c] = kStartError;
        }
        m_error['q'] = kWeakStartError;
        m_error[kOGrave] = kWeakStartError;
        m_error[kAGrave] = kWeakStartError / 2;
    }

    double Error(char c) const { return m_error.at(c); }

    // Types the sentences; returns the share of wrong keystrokes on the keys
    // of interest that day.
    double Type(const std::vector<std::string>& sentences) {
        for (auto& [c, figures] : m_figures) {
            figures.keystrokes *= kFiguresKeptPerDay;
            figures.wrong *= kFiguresKeptPerDay;
        }
        for (auto& [pair, count] : m_confusions)
            count *= kFiguresKeptPerDay;
        double typed = 0;
        double wrong = 0;
        for (const std::string& sentence : sentences) {
            const bool together = sentence.find(kAGrave) != std::string::npos &&
                                  sentence.find(kOGrave) != std::string::npos;
            for (const char c : sentence) {
                if (!m_error.count(c))
                    continue;
                Figures& figures = m_figures[c];
                figures.keystrokes += 1;
                const bool error = Unit() < m_error[c];
                if (error) {
                    figures.wrong += 1;
                    if (c == kAGrave && Unit() < m_confusion)
                        m_confusions[{kAGrave, kOGrave}] += 1;
                }
                if (c == 'q' || c == kOGrave || c == kAGrave) {
                    ++typed;
                    wrong += error ? 1 : 0;
                }
                m_error[c] = kFloorError + (m_error[c] - kFloorError) * kLearnPerKeystroke;
            }
            if (together)
                m_confusion *= kConfusionKeptPerLine;
        }
        return typed == 0 ? 0.0 : wrong / typed;
    }

    PracticeStatistics Statistics() const {
        PracticeStatistics statistics;
        for (const auto& [c, figures] : m_figures)
            statistics.characters.push_back({c, static_cast<int>(figures.keystrokes + 0.5),
                                             static_cast<int>(figures.wrong + 0.5),
                                             kBaseIntervalMs + kIntervalPerError * m_error.at(c)});
        for (const auto& [pair, count] : m_confusions)
            statistics.confusions.push_back(
                {pair.first, pair.second, static_cast<int>(count + 0.5)});
        return statistics;
    }

private:
    struct Figures {
        double keystrokes = 0;
        double wrong = 0;
    };

    double Unit() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<double>((z ^ (z >> 31)) >> 11) * 0x1.0p-53;
    }

    std::map<char, double> m_error;
    std::map<char, Figures> m_figures;
    std::map<std::pair<char, char>, double> m_confusions;
    double m_confusion = kStartConfusion;
    std::uint64_t m_state = 2026;
};

std::vector<std::string> BuiltInDay(int day) {
    std::vector<std::string> sentences;
    for (int level = 0; level < 3; ++level) {
        for (int n = 0; n < 5; ++n)
            sentences.push_back(
                BuiltInSentence(static_cast<std::int16_t>(1 + level * 15 + (day * 5 + n) % 15)));
    }
    return sentences;
}

double WeakError(const Pupil& pupil) {
    return (pupil.Error('q') + pupil.Error(kOGrave) + pupil.Error(kAGrave)) / 3;
}

TEST(PracticeSimulation, AMonthOfPersonalExercisesBringsTheWeakKeysDown) {
    const PracticeGenerator generator(ShippedMaterial(), LetterMeasure(), TutorLine());
    Pupil personal;
    Pupil comparison;
    // A first day on the built-in sentences gives both their first figures.
    const double firstDay = personal.Type(BuiltInDay(0));
    comparison.Type(BuiltInDay(0));
    const double start = WeakError(personal);
    std::printf("day  weak keys' error (q, ò, à): personal typed / model | built-in model\n");
    std::printf("%3d  %.3f / %.3f | %.3f\n", 0, firstDay, start, WeakError(comparison));
    std::vector<double> typedRates;
    for (int day = 1; day <= kDays; ++day) {
        const CharacterWeights weights = CharacterWeights::FromStatistics(personal.Statistics());
        const PracticeExercise exercise =
            generator.Generate(weights, static_cast<std::uint64_t>(day));
        typedRates.push_back(personal.Type(AllSentences(exercise)));
        comparison.Type(BuiltInDay(day));
        if (day % 3 == 0)
            std::printf("%3d  %.3f / %.3f | %.3f\n", day, typedRates.back(), WeakError(personal),
                        WeakError(comparison));
    }
    EXPECT_LT(WeakError(personal), start / 2);
    EXPECT_LT(WeakError(personal), WeakError(comparison));
    double firstWeek = 0;
    double lastWeek = 0;
    for (int d = 0; d < 7; ++d) {
        firstWeek += typedRates[static_cast<std::size_t>(d)];
        lastWeek += typedRates[typedRates.size() - 1 - static_cast<std::size_t>(d)];
    }
    EXPECT_LT(lastWeek, firstWeek);
}

} // namespace
