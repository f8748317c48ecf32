#include "tutor/core/PracticeGenerator.h"

#include "PracticeFixtures.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <sstream>

namespace {

constexpr char kOGrave = '\xF2';
constexpr char kAGrave = '\xE0';
constexpr int kSeeds = 100;

// -- weights -------------------------------------------------------------------

struct WeightCase {
    const char* name;
    PracticeStatistics statistics;
    char heavier;
    char lighter;
};

PracticeStatistics With(PracticeStatistics statistics, char c, int keystrokes, int wrong,
                        double intervalMs = 250.0) {
    SetFigures(statistics, c, keystrokes, wrong, intervalMs);
    return statistics;
}

PracticeStatistics WithConfusion(PracticeStatistics statistics, char expected, char typed,
                                 int count) {
    statistics.confusions.push_back({expected, typed, count});
    return statistics;
}

PracticeStatistics Without(PracticeStatistics statistics, char c) {
    std::erase_if(statistics.characters, [c](const PracticeKey& f) { return f.character == c; });
    return statistics;
}

class Weights : public testing::TestWithParam<WeightCase> {};

TEST_P(Weights, WeakerWeighsMore) {
    const CharacterWeights weights = CharacterWeights::FromStatistics(GetParam().statistics);
    EXPECT_GT(weights.Of(GetParam().heavier), weights.Of(GetParam().lighter));
    EXPECT_FALSE(weights.IsBalanced());
}

const PracticeStatistics kEven = EvenPupil(300, 6);

INSTANTIATE_TEST_SUITE_P(
    Statistics, Weights,
    testing::Values(
        WeightCase{"MoreMistakes", With(With(kEven, 'w', 300, 60), 'k', 300, 30), 'w', 'k'},
        WeightCase{"MistakesOverStrong", With(kEven, 'k', 300, 30), 'k', 'a'},
        WeightCase{"NeverTypedIsUnknownNotStrong", Without(kEven, 'x'), 'x', 'a'},
        WeightCase{"ZeroKeystrokesIsUnknown", With(kEven, 'x', 0, 0), 'x', 'a'},
        WeightCase{"SlowerWithTheSameMistakes", With(kEven, 'k', 300, 6, 750.0), 'k', 'a'},
        WeightCase{"ConfusedKeyPractisedWithTheWeakOne",
                   WithConfusion(With(kEven, kAGrave, 300, 60), kAGrave, kOGrave, 40), kOGrave,
                   'a'},
        WeightCase{"ShiftedCharacterLiftsItsPlainKey", With(kEven, 'Q', 300, 90), 'q', 'w'},
        WeightCase{"AltGrCharacterLiftsItsPlainKey", With(kEven, '@', 300, 90), kOGrave, 'w'}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(Weights, APlainWeakKeyDoesNotMakeTheMarksOnItsKeyWeak) {
    const CharacterWeights weights =
        CharacterWeights::FromStatistics(With(kEven, kOGrave, 300, 90));
    EXPECT_NEAR(weights.Of('@'), weights.Of('w'), 1e-9);
    EXPECT_NEAR(weights.Of('\xE7'), weights.Of('w'), 1e-9);
}

TEST(Weights, NoStatisticsOrAllAlikeIsBalanced) {
    for (const PracticeStatistics& statistics : {PracticeStatistics{}, EvenPupil(300, 6)}) {
        const CharacterWeights weights = CharacterWeights::FromStatistics(statistics);
        EXPECT_TRUE(weights.IsBalanced());
        EXPECT_EQ(weights.Weakest(6), "");
        EXPECT_NEAR(weights.Of('q'), weights.Of('a'), 1e-9);
        EXPECT_NEAR(weights.Of('@'), weights.Of('a'), 1e-9);
    }
    EXPECT_EQ(CharacterWeights::Balanced().Of(' '), 0.0);
    EXPECT_EQ(CharacterWeights::Balanced().Of('{'), 0.0);
}

TEST(Weights, FiguresOutsideReasonAreTakenAsNothing) {
    PracticeStatistics statistics = EvenPupil(300, 6);
    statistics.characters.push_back({'a', -50, -3, std::numeric_limits<double>::quiet_NaN()});
    statistics.characters.push_back({'{', 10, 10, 100.0}); // no key types it
    statistics.characters.push_back({'b', 0, 0, -1.0});
    statistics.confusions.push_back({'a', '{', 100});
    statistics.confusions.push_back({'a', 'a', 100});
    const CharacterWeights weights = CharacterWeights::FromStatistics(statistics);
    EXPECT_TRUE(weights.IsBalanced());
    EXPECT_TRUE(weights.Pairs().empty());
    EXPECT_EQ(weights.Of('{'), 0.0);
}

TEST(Weights, WeakestAreTheHeaviestFirst) {
    const CharacterWeights weights = CharacterWeights::FromStatistics(PupilWeakOnQAndOGrave());
    const std::string aimed = weights.Weakest(6);
    ASSERT_GE(aimed.size(), 2u);
    EXPECT_EQ(aimed.substr(0, 2), std::string({kOGrave, 'q'}));
    EXPECT_EQ(weights.Weakest(1).size(), 1u);
}

// -- the exercise --------------------------------------------------------------

const PracticeGenerator& ShippedGenerator() {
    static const PracticeGenerator generator(ShippedMaterial(), LetterMeasure(), TutorLine());
    return generator;
}

bool IsListWord(const std::string& word) {
    static const std::set<std::string> words(DebianWords().words.begin(),
                                             DebianWords().words.end());
    return words.count(word) != 0;
}

// Every sentence keeps its level's shape, reads back from a file as
// written, and every word of a drill is a word of the list.
void ExpectWithinTheRules(const PracticeExercise& exercise, bool drillsFromList) {
    for (int level = 1; level <= 3; ++level) {
        const auto& sentences = exercise.levels[static_cast<std::size_t>(level - 1)];
        EXPECT_EQ(sentences.size(), 5u) << "level " << level;
        for (const std::string& sentence : sentences) {
            EXPECT_TRUE(ShippedGenerator().KeepsShape(sentence, level)) << sentence;
            const auto size = static_cast<int>(sentence.size());
            if (level == 1) {
                EXPECT_GE(size, PracticeShape::kLevel1Min);
                EXPECT_LE(size, PracticeShape::kLevel1Max);
            } else if (level == 2) {
                EXPECT_GE(size, PracticeShape::kLevel2Min);
                EXPECT_LE(size, PracticeShape::kLevel2Max);
            } else {
                const std::size_t at = sentence.find("\r\n");
                ASSERT_NE(at, std::string::npos) << sentence;
                EXPECT_EQ(sentence.find("\r\n", at + 1), std::string::npos);
                EXPECT_LE(sentence.size() - 2, 254u);
            }
            std::string lines = sentence;
            std::erase(lines, '\r');
            std::erase(lines, '\n');
            EXPECT_EQ(FilterToKeyboard(lines), lines);
            if (level == 1 && drillsFromList) {
                std::istringstream words(sentence);
                for (std::string word; words >> word;)
                    EXPECT_TRUE(IsListWord(word)) << word;
            }
        }
    }
}

TEST(PracticeExercise, WeakKeysComeFourTimesAsOftenAsInTheCourseWithinTheRules) {
    ASSERT_FALSE(DebianWords().words.empty());
    const std::vector<std::string> course = CourseSentences();
    ASSERT_FALSE(course.empty());
    const CharacterWeights weights = CharacterWeights::FromStatistics(PupilWeakOnQAndOGrave());
    std::vector<std::string> typed;
    for (int seed = 0; seed < kSeeds; ++seed) {
        const PracticeExercise exercise = ShippedGenerator().Generate(weights, seed);
        ExpectWithinTheRules(exercise, true);
        const auto sentences = AllSentences(exercise);
        for (const char c : {'q', kOGrave})
            EXPECT_GE(Share(sentences, c), 4 * Share(course, c)) << "seed " << seed << " " << c;
        typed.insert(typed.end(), sentences.begin(), sentences.end());
    }
    for (const char c : {'q', kOGrave}) {
        std::cout << "share of " << (c == 'q' ? "q" : "o grave") << ": course " << Share(course, c)
                  << ", personal exercise " << Share(typed, c) << " ("
                  << Share(typed, c) / Share(course, c) << " times)\n";
    }
}

TEST(PracticeExercise, WithoutStatisticsItIsBalanced) {
    const std::vector<std::string> course = CourseSentences();
    std::vector<std::string> typed;
    for (int seed = 0; seed < 20; ++seed) {
        const PracticeExercise exercise =
            ShippedGenerator().Generate(CharacterWeights::Balanced(), seed);
        ExpectWithinTheRules(exercise, true);
        EXPECT_EQ(exercise.aimedCharacters, "");
        const auto sentences = AllSentences(exercise);
        typed.insert(typed.end(), sentences.begin(), sentences.end());
    }
    // No letter stands out, and every letter of the word list comes up.
    EXPECT_LT(Share(typed, 'q'), 2 * Share(course, 'q'));
    EXPECT_LT(Share(typed, kOGrave), 2 * Share(course, kOGrave));
    for (char c = 'a'; c <= 'z'; ++c) {
        const bool listed = std::any_of(DebianWords().words.begin(), DebianWords().words.end(),
                                        [c](const std::string& w) { return w.find(c) != w.npos; });
        EXPECT_EQ(Share(typed, c) > 0.0, listed) << c;
    }
}

TEST(PracticeExercise, WithoutAWordListTheSentencesAreTheMaterials) {
    PracticeMaterial material = ShippedMaterial();
    material.words.clear();
    const PracticeGenerator generator(material, LetterMeasure(), TutorLine());
    for (const CharacterWeights& weights :
         {CharacterWeights::Balanced(),
          CharacterWeights::FromStatistics(PupilWeakOnQAndOGrave())}) {
        for (int seed = 0; seed < 10; ++seed) {
            const PracticeExercise exercise = generator.Generate(weights, seed);
            ExpectWithinTheRules(exercise, false);
            for (const std::string& sentence : AllSentences(exercise))
                EXPECT_NE(std::find(material.sentences.begin(), material.sentences.end(), sentence),
                          material.sentences.end())
                    << sentence;
        }
    }
}

TEST(PracticeExercise, RanksTheMaterialsSentencesByWeakKeys) {
    PracticeMaterial material = ShippedMaterial();
    material.words.clear();
    const PracticeGenerator generator(material, LetterMeasure(), TutorLine());
    const CharacterWeights weak = CharacterWeights::FromStatistics(PupilWeakOnQAndOGrave());
    std::vector<std::string> balanced;
    std::vector<std::string> aimed;
    for (int seed = 0; seed < 20; ++seed) {
        const auto b = AllSentences(generator.Generate(CharacterWeights::Balanced(), seed));
        const auto a = AllSentences(generator.Generate(weak, seed));
        balanced.insert(balanced.end(), b.begin(), b.end());
        aimed.insert(aimed.end(), a.begin(), a.end());
    }
    EXPECT_GT(Share(aimed, 'q'), 2 * Share(balanced, 'q'));
    EXPECT_GT(Share(aimed, kOGrave), 2 * Share(balanced, kOGrave));
}

TEST(PracticeExercise, ConfusedKeysShareTheirLines) {
    PracticeStatistics statistics = EvenPupil(300, 6);
    SetFigures(statistics, kAGrave, 300, 70);
    statistics.confusions.push_back({kAGrave, kOGrave, 50});
    const CharacterWeights weights = CharacterWeights::FromStatistics(statistics);
    ASSERT_EQ(weights.Pairs().size(), 1u);
    int together = 0;
    int drills = 0;
    for (int seed = 0; seed < 20; ++seed) {
        const PracticeExercise exercise = ShippedGenerator().Generate(weights, seed);
        for (const std::string& line : exercise.levels[0]) {
            ++drills;
            together +=
                line.find(kAGrave) != std::string::npos && line.find(kOGrave) != std::string::npos;
        }
    }
    EXPECT_GT(together * 2, drills);
}

TEST(PracticeExercise, NothingToBuildFromGivesNothing) {
    const PracticeGenerator generator(PracticeMaterial{}, LetterMeasure(), TutorLine());
    const PracticeExercise exercise =
        generator.Generate(CharacterWeights::FromStatistics(PupilWeakOnQAndOGrave()), 1);
    for (const auto& level : exercise.levels)
        EXPECT_TRUE(level.empty());
}

TEST(PracticeExercise, ANarrowLineKeepsEveryLineWithinIt) {
    const ExerciseCatalogue::SentenceLine narrow{FontSpec{"Arial", 12.0f}, 70 * kLetterWidth};
    const PracticeGenerator generator(ShippedMaterial(), LetterMeasure(), narrow);
    const PracticeExercise exercise =
        generator.Generate(CharacterWeights::FromStatistics(PupilWeakOnQAndOGrave()), 3);
    for (const std::string& sentence : AllSentences(exercise)) {
        std::istringstream lines(sentence);
        for (std::string line; std::getline(lines, line);) {
            std::erase(line, '\r');
            EXPECT_LE(static_cast<int>(line.size()), 70) << line;
        }
    }
    EXPECT_EQ(exercise.levels[2].size(), 5u);
}

TEST(PracticeExercise, TheSameSeedGivesTheSameExercise) {
    const CharacterWeights weights = CharacterWeights::FromStatistics(PupilWeakOnQAndOGrave());
    const PracticeExercise first = ShippedGenerator().Generate(weights, 42);
    const PracticeExercise again = ShippedGenerator().Generate(weights, 42);
    const PracticeExercise other = ShippedGenerator().Generate(weights, 43);
    EXPECT_EQ(first.levels, again.levels);
    EXPECT_NE(first.levels, other.levels);
    // A generator built anew from the same material gives it too.
    const PracticeGenerator rebuilt(ShippedMaterial(), LetterMeasure(), TutorLine());
    EXPECT_EQ(rebuilt.Generate(weights, 42).levels, first.levels);
}

} // namespace
