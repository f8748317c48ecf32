#include "tutor/core/Scoring.h"

#include "EngineFakes.h"

#include <gtest/gtest.h>

namespace {

constexpr float kPrincipiante = 0.4f;
constexpr float kEsperto = 0.2f;

struct ScaleCase {
    int gaugeWidth;
    float factor;
    int k;
};

class GaugeScaleK : public testing::TestWithParam<ScaleCase> {};

TEST_P(GaugeScaleK, RoundsHalvesToEvenFromSinglePrecisionFactor) {
    EXPECT_EQ(GaugeScale(GetParam().gaugeWidth, GetParam().factor), GetParam().k);
}

// 390 / (0.4f x 10) is 390 / 4.00000006 = 97.4999985, so it rounds down.
INSTANTIATE_TEST_SUITE_P(Gauges, GaugeScaleK,
                         testing::Values(ScaleCase{300, kPrincipiante, 75},
                                         ScaleCase{300, kEsperto, 150},
                                         ScaleCase{390, kPrincipiante, 97},
                                         ScaleCase{390, kEsperto, 195}));

struct SentenceCase {
    const char* name;
    std::size_t length;
    std::int64_t seconds;
    float factor;
    float speed;
    std::int16_t points;
    std::int16_t difficulty;
    int icon;
    const char* perMinute;
};

class SentenceScore : public testing::TestWithParam<SentenceCase> {};

TEST_P(SentenceScore, SpeedPointsAndIcon) {
    const SentenceCase& c = GetParam();
    const float speed = SentenceSpeed(c.length, c.seconds);
    EXPECT_EQ(speed, c.speed);
    EXPECT_EQ(SentencePoints(speed, c.factor), c.points);
    EXPECT_EQ(PointsIcon(c.points, c.difficulty), c.icon);
    EXPECT_EQ(PerMinuteText(speed), c.perMinute);
}

INSTANTIATE_TEST_SUITE_P(
    Sentences, SentenceScore,
    testing::Values(
        // 50 characters in 20 s: 2.5 per second is 100 points for a beginner.
        SentenceCase{"Fifty20sPrincipiante", 50, 20, kPrincipiante, 2.5f, 100, 0, 424, "150"},
        SentenceCase{"Fifty20sEsperto", 50, 20, kEsperto, 2.5f, 50, 1, 427, "150"},
        SentenceCase{"Fifty40sPrincipiante", 50, 40, kPrincipiante, 1.25f, 50, 0, 422, "75"},
        SentenceCase{"Fifty40sEsperto", 50, 40, kEsperto, 1.25f, 25, 1, 426, "75"},
        SentenceCase{"UnderOneSecondPrincipiante", 42, 0, kPrincipiante, 5.0f, 100, 0, 424, "300"},
        SentenceCase{"UnderOneSecondEsperto", 42, 0, kEsperto, 5.0f, 100, 1, 429, "300"},
        SentenceCase{"ClockSetBack", 42, -5, kPrincipiante, 5.0f, 100, 0, 424, "300"},
        SentenceCase{"AboveHundredIsHundred", 30, 5, kEsperto, 6.0f, 100, 1, 429, "360"},
        SentenceCase{"ZeroPointsShowOne", 1, 1000, kPrincipiante, 0.001f, 1, 0, 420, "0"},
        SentenceCase{"TwentyPointsBand0", 10, 20, kPrincipiante, 0.5f, 20, 0, 420, "30"},
        SentenceCase{"HalfMinuteSpeedRoundsUp", 45, 8, kPrincipiante, 5.625f, 100, 0, 424, "338"}),
    [](const testing::TestParamInfo<SentenceCase>& p) { return std::string(p.param.name); });

TEST(Scoring, RowPointsHaveNoMinimum) {
    EXPECT_EQ(RowPoints(0.0f, kPrincipiante), 0);
    EXPECT_EQ(RowPoints(0.001f, kPrincipiante), 0);
    EXPECT_EQ(RowPoints(9.0f, kEsperto), 100);
    EXPECT_EQ(RowPoints(2.5f, kPrincipiante), 100);
    EXPECT_EQ(RowPoints(1.25f, kEsperto), 25);
}

struct AverageCase {
    const char* name;
    std::array<float, 5> speeds;
    std::int16_t level;
    float factor;
    std::int16_t average;
};

class LevelAverage : public testing::TestWithParam<AverageCase> {};

TEST_P(LevelAverage, CapsSpeedsAndAveragesFive) {
    std::array<float, 16> slots{};
    slots.fill(9.0f); // other levels must not count
    for (int i = 0; i < 5; ++i)
        slots[static_cast<std::size_t>(5 * (GetParam().level - 1) + 1 + i)] =
            GetParam().speeds[static_cast<std::size_t>(i)];
    EXPECT_EQ(calcolaMediaLevel(slots, GetParam().factor, GetParam().level), GetParam().average);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, LevelAverage,
    testing::Values(
        // capped 2.5, 2.5, 2, 2, 1: average 2.0, 80 points
        AverageCase{"Capped", {3, 3, 2, 2, 1}, 1, kPrincipiante, 80},
        AverageCase{"SameAtLevelTwo", {3, 3, 2, 2, 1}, 2, kPrincipiante, 80},
        AverageCase{"EspertoCapsAtFive", {3, 3, 2, 2, 1}, 3, kEsperto, 44},
        AverageCase{"AllAtTheCap", {2.5f, 2.5f, 2.5f, 2.5f, 2.5f}, 1, kPrincipiante, 100},
        AverageCase{"AllAboveTheCap", {7, 8, 9, 10, 11}, 2, kPrincipiante, 100},
        AverageCase{"NothingTyped", {0, 0, 0, 0, 0}, 1, kPrincipiante, 0},
        // not the average of the sentence points (1 each): no minimum
        AverageCase{"NoMinimumOfOne", {0.01f, 0.01f, 0.01f, 0.01f, 0.01f}, 1, kPrincipiante, 0}),
    [](const testing::TestParamInfo<AverageCase>& p) { return std::string(p.param.name); });

TEST(Scoring, LevelAverageOfAnUnknownLevelIsZero) {
    std::array<float, 16> slots{};
    slots.fill(2.0f);
    EXPECT_EQ(calcolaMediaLevel(slots, kPrincipiante, 0), 0);
    EXPECT_EQ(calcolaMediaLevel(slots, kPrincipiante, 4), 0);
}

TEST(Scoring, ClockShowsMinutesAndSecondsOnly) {
    const std::vector<std::pair<std::int64_t, std::string>> cases = {
        {0, "00:00"},    {9, "00:09"},    {59, "00:59"},   {61, "01:01"},
        {3599, "59:59"}, {3600, "00:00"}, {3661, "01:01"}, {-3, "00:00"}};
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(ClockText(seconds), text) << seconds;
}

struct GaugeCase {
    int k;
    std::int64_t seconds;
    std::int16_t position;
    int width;
    int length;
};

class Gauge : public testing::TestWithParam<GaugeCase> {};

TEST_P(Gauge, LengthFromSecondsPerCharacter) {
    const GaugeCase& c = GetParam();
    EXPECT_EQ(GaugeLength(c.k, c.seconds, c.position, c.width), c.length);
}

INSTANTIATE_TEST_SUITE_P(Lengths, Gauge,
                         testing::Values(GaugeCase{75, 20, 51, 300, 30},  // 0.4 s per char
                                         GaugeCase{150, 20, 51, 300, 60}, // Esperto
                                         GaugeCase{75, 1, 3, 300, 38},    // 37.5 to even
                                         GaugeCase{75, 3, 3, 300, 112},   // 112.5 to even
                                         GaugeCase{75, 100, 2, 300, 300}, // capped
                                         GaugeCase{97, 100, 2, 390, 390}, // capped, large
                                         GaugeCase{75, 0, 10, 300, 0},
                                         GaugeCase{75, 5, 1, 300, 0})); // nothing typed yet

TEST(Scoring, PointsToSymbolBands) {
    const std::vector<std::pair<int, int>> cases = {{-5, 0}, {0, 0},  {20, 0},  {21, 1},
                                                    {40, 1}, {41, 2}, {60, 2},  {61, 3},
                                                    {80, 3}, {81, 4}, {100, 4}, {150, 4}};
    for (const auto& [points, symbol] : cases)
        EXPECT_EQ(PointsToSymbol(points), symbol) << points;
}

struct FaceCase {
    int wrong;
    int correct;
    float factor;
    const char* rating;
};

class Faces : public testing::TestWithParam<FaceCase> {};

TEST_P(Faces, RatioBandsDependOnDifficulty) {
    const FaceCase& c = GetParam();
    EXPECT_EQ(ErrorRating(c.wrong, c.correct, c.factor), c.rating);
    const ErrorFace face = ErrorFaceFor(c.wrong, c.correct, c.factor);
    EXPECT_EQ(face.glyph, c.rating[0]);
    EXPECT_EQ(face.red, c.rating[1] == '1');
}

INSTANTIATE_TEST_SUITE_P(
    Ratios, Faces,
    testing::Values(FaceCase{0, 0, kPrincipiante, "J0"},    // no keystroke counts one
                    FaceCase{3, 100, kEsperto, "K0"},       // ratio 3 at Esperto
                    FaceCase{3, 100, kPrincipiante, "J0"},  // the same ratio, base 2
                    FaceCase{11, 100, kPrincipiante, "L1"}, // 11 > 10
                    FaceCase{10, 100, kPrincipiante, "L0"}, // each band ends where the next begins
                    FaceCase{6, 100, kPrincipiante, "K0"}, FaceCase{7, 100, kPrincipiante, "L0"},
                    FaceCase{3, 200, kEsperto, "J0"}, // 1.5 at Esperto
                    FaceCase{4, 200, kEsperto, "K0"}, FaceCase{5, 100, kEsperto, "L0"},
                    FaceCase{6, 100, kEsperto, "L1"}));

TEST(Scoring, FormatWholeRoundsHalvesAwayFromZero) {
    const std::vector<std::pair<double, std::string>> cases = {
        {0.0, "0"},     {0.4, "0"},     {0.5, "1"},  {1.5, "2"},        {2.5, "3"},
        {124.4, "124"}, {337.5, "338"}, {-0.4, "0"}, {149.99999, "150"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(FormatWhole(value), text) << value;
}

TEST(Scoring, FormatPercentShowsOneDecimal) {
    EXPECT_EQ(FormatPercent(0.0, ','), "0,0%");
    EXPECT_EQ(FormatPercent(0.03, ','), "3,0%");
    EXPECT_EQ(FormatPercent(0.11, ','), "11,0%");
    EXPECT_EQ(FormatPercent(1.0 / 3.0, '.'), "33.3%");
    EXPECT_EQ(FormatPercent(2.0 / 3.0, ','), "66,7%");
    EXPECT_EQ(FormatPercent(2.0, ','), "200,0%");
    EXPECT_EQ(FormatPercent(12.3456, ','), "1234,6%");
}

TEST(Scoring, RoundHalfEven) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(10.4), 10);
    EXPECT_EQ(RoundHalfEven(10.6), 11);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
}

TEST(Scoring, Difficulties) {
    const DifficultyInfo p = DifficultyFor(0);
    EXPECT_EQ(p.difficulty, 0);
    EXPECT_EQ(p.pointsFactor, 0.4f);
    EXPECT_EQ(p.categorySlot, 29);
    EXPECT_EQ(p.typedColour.Stored(), 0xFF0000u); // blue
    EXPECT_EQ(p.fastEndIcon, 424);
    EXPECT_EQ(p.slowEndIcon, 420);
    const DifficultyInfo e = DifficultyFor(1);
    EXPECT_EQ(e.difficulty, 1);
    EXPECT_EQ(e.pointsFactor, 0.2f);
    EXPECT_EQ(e.categorySlot, 30);
    EXPECT_EQ(e.typedColour.Stored(), 0x0000FFu); // red
    EXPECT_EQ(e.fastEndIcon, 429);
    EXPECT_EQ(e.slowEndIcon, 425);
    EXPECT_EQ(DifficultyFor(2).difficulty, 0);
    EXPECT_TRUE(IsExpertFactor(0.2f));
    EXPECT_FALSE(IsExpertFactor(0.4f));
}

TEST(Scoring, RandomBetweenReseedsAndStaysInRange) {
    ScriptedRandom random;
    random.script = {0.0, 0.999999, ScriptedRandom::Between(5, 1, 7), 1.0};
    EXPECT_EQ(RandomBetween(random, 1, 7), 1);
    EXPECT_EQ(RandomBetween(random, 1, 7), 7);
    EXPECT_EQ(RandomBetween(random, 1, 7), 5);
    EXPECT_EQ(RandomBetween(random, 0, 2), 2); // a source that breaks its range
    EXPECT_EQ(random.reseeds, 4);
}

TEST(Scoring, Colours) {
    EXPECT_EQ(GaugeRowColour(1, 0), (Colour{0, 255, 0}));
    EXPECT_EQ(GaugeRowColour(2, 10), (Colour{205, 205, 0}));
    EXPECT_EQ(GaugeRowColour(3, 2), (Colour{245, 0, 0}));
    EXPECT_EQ(GaugeRowColour(3, 60), (Colour{0, 0, 0}));
    EXPECT_EQ(RecordMarkerRowColour(1, 3), (Colour{0, 225, 0}));
    EXPECT_EQ(RecordMarkerRowColour(2, 1), (Colour{245, 245, 0}));
    EXPECT_EQ(RecordMarkerRowColour(3, 30), (Colour{0, 0, 0}));
    EXPECT_EQ(GaugeLineEnd(1, 40), 40);
    EXPECT_EQ(GaugeLineEnd(3, 40), 45);
    EXPECT_EQ(LevelLampColour(1, true), (Colour{0, 255, 0}));
    EXPECT_EQ(LevelLampColour(1, false), (Colour{0, 192, 0}));
    EXPECT_EQ(LevelLampColour(2, true), (Colour{255, 255, 0}));
    EXPECT_EQ(LevelLampColour(2, false), (Colour{192, 192, 0}));
    EXPECT_EQ(LevelLampColour(3, true), (Colour{255, 0, 0}));
    EXPECT_EQ(LevelLampColour(3, false), (Colour{192, 64, 0}));
}

} // namespace
