#include "tutor/core/KeyMapShading.h"

#include "common/core/Cp1252.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr std::int16_t kKeyA = 10;
constexpr std::int16_t kKeyZ = 21;
constexpr std::int16_t kKeyOGrave = 19; // ò
constexpr std::int16_t kKeyAGrave = 40; // à
const char kAGrave = "à"_cp1252[0];
const char kOGrave = "ò"_cp1252[0];

KeyFigures Char(char c, std::int64_t keystrokes, std::int64_t wrong, double intervalMs = 0) {
    KeyFigures k;
    k.character = c;
    k.keystrokes = keystrokes;
    k.wrong = wrong;
    k.averageIntervalMs = intervalMs;
    return k;
}

TEST(KeyMapShading, CharactersOfOneKeyAddUpWhateverModifierTheyNeed) {
    const KeyShades shades = ShadeKeys({Char('a', 15, 1), Char('A', 5, 2)}, KeyMapMode::Errors);
    const KeyShade& a = shades[kKeyA];
    EXPECT_EQ(a.keystrokes, 20);
    EXPECT_EQ(a.wrong, 3);
    EXPECT_DOUBLE_EQ(a.errorRate, 0.15);
    EXPECT_TRUE(a.judged);
    EXPECT_EQ(shades[KeyTable::kLeftShiftKey].keystrokes, 0);
}

struct ColourCase {
    std::int64_t keystrokes;
    std::int64_t wrong;
    Colour expected;
};

TEST(KeyMapShading, ErrorRateGoesFromGreenThroughYellowToRedAndFewKeystrokesAreGrey) {
    const ColourCase cases[] = {
        {40, 0, kShadeGood},      {40, 3, kShadeMiddle}, // 7.5 %: half of full red
        {40, 6, kShadeBad},       {40, 30, kShadeBad},   // 15 % and beyond
        {19, 19, kShadeUnjudged}, {0, 0, kShadeUnused},
    };
    for (const ColourCase& c : cases) {
        const KeyShades shades = ShadeKeys({Char('a', c.keystrokes, c.wrong)}, KeyMapMode::Errors);
        EXPECT_EQ(shades[kKeyA].colour, c.expected) << c.keystrokes << "/" << c.wrong;
    }
}

TEST(KeyMapShading, SlownessRunsFromTheFastestToTheSlowestJudgedKey) {
    const KeyShades shades = ShadeKeys(
        {Char('a', 30, 0, 200), Char('s', 30, 0, 400), Char('d', 30, 0, 300), Char('f', 5, 0, 900)},
        KeyMapMode::Slowness);
    EXPECT_EQ(shades[kKeyA].colour, kShadeGood);
    EXPECT_EQ(shades[11].colour, kShadeBad);
    EXPECT_EQ(shades[12].colour, kShadeMiddle);
    // Too few keystrokes: grey, and it does not stretch the scale either.
    EXPECT_EQ(shades[13].colour, kShadeUnjudged);
}

TEST(KeyMapShading, WorstKeysAreExactlyTheImperfectJudgedKeysWorstFirst) {
    const KeyShades shades = ShadeKeys({Char('a', 50, 0), Char(kAGrave, 25, 2),
                                        Char(kOGrave, 25, 5), Char('l', 60, 0), Char('q', 3, 3)},
                                       KeyMapMode::Errors);
    EXPECT_EQ(WorstKeys(shades, 5), (std::vector<std::int16_t>{kKeyOGrave, kKeyAGrave}));
    EXPECT_EQ(WorstKeys(shades, 1), (std::vector<std::int16_t>{kKeyOGrave}));
    EXPECT_TRUE(WorstKeys(ShadeKeys({Char('a', 50, 0)}, KeyMapMode::Errors), 5).empty());
}

TEST(KeyMapShading, FingersFollowTheSplitInUse) {
    const KeyShades shades = ShadeKeys({Char('z', 40, 4), Char('a', 60, 0)}, KeyMapMode::Errors);
    const auto classic = FingerErrorRates(shades, KeySplit::Classic);
    EXPECT_EQ(classic[static_cast<int>(FingerGroup::Ring)].wrong, 4);
    EXPECT_DOUBLE_EQ(classic[static_cast<int>(FingerGroup::Ring)].errorRate, 0.1);
    EXPECT_DOUBLE_EQ(classic[static_cast<int>(FingerGroup::Little)].errorRate, 0.0);
    const auto ergonomic = FingerErrorRates(shades, KeySplit::Ergonomic);
    EXPECT_EQ(ergonomic[static_cast<int>(FingerGroup::Ring)].keystrokes, 0);
    EXPECT_DOUBLE_EQ(ergonomic[static_cast<int>(FingerGroup::Little)].errorRate, 0.04);
    EXPECT_EQ(shades[kKeyZ].wrong, 4);
}

TEST(KeyMapShading, KeysAreNamedByTheCharacterTheyTypeAlone) {
    EXPECT_EQ(KeyName(kKeyAGrave), "à"_cp1252);
    EXPECT_EQ(KeyName(kKeyA), "a");
    EXPECT_EQ(KeyName(KeyTable::kEnterKey), "Invio");
    EXPECT_EQ(KeyName(KeyTable::kEnterUpperKey), "Invio");
    EXPECT_EQ(KeyName(KeyTable::kLeftShiftKey), "");
}

} // namespace
