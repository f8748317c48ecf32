#include "tutor/core/MapShape.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

namespace {

struct DecodeCase {
    std::int32_t packed;
    MapSpan span;
};

class DecodeMapSpanTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeMapSpanTest, UnpacksX1RowAndX2) {
    EXPECT_EQ(DecodeMapSpan(GetParam().packed), GetParam().span);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, DecodeMapSpanTest,
    ::testing::Values(DecodeCase{77000092, {77, 0, 92}}, DecodeCase{271000286, {271, 0, 286}},
                      DecodeCase{74002095, {74, 2, 95}}, DecodeCase{268002289, {268, 2, 289}},
                      DecodeCase{0, {0, 0, 0}}, DecodeCase{204363, {0, 204, 363}},
                      DecodeCase{518292519, {518, 292, 519}}, DecodeCase{1001002, {1, 1, 2}}));

TEST(MapShapeRectsTest, EveryEntryCoversItsRowAndTheNextInTableOrder) {
    const std::array<std::int32_t, 4> corners = {77000092, 271000286, 74002095, 268002289};
    const std::vector<MapRect> expected = {
        {77, 0, 92, 1}, {77, 1, 92, 2}, {271, 0, 286, 1}, {271, 1, 286, 2},
        {74, 2, 95, 3}, {74, 3, 95, 4}, {268, 2, 289, 3}, {268, 3, 289, 4},
    };
    EXPECT_EQ(MapShapeRects(corners), expected);
}

TEST(MapShapeRectsTest, EmptyAndReversedSpansAndNegativeEntriesAddNothing) {
    const std::array<std::int32_t, 5> table = {10010010, 20010005, -5000010, 0, 1002003};
    EXPECT_EQ(MapShapeRects(table), (std::vector<MapRect>{{1, 2, 3, 3}, {1, 3, 3, 4}}));
    EXPECT_TRUE(MapShapeRects({}).empty());
}

TEST(MapWindowSizeTest, TwoSizesChosenByScreen) {
    const MapWindowSize normal = MapWindowSizeFor(false);
    const MapWindowSize large = MapWindowSizeFor(true);
    EXPECT_EQ(normal.widthTwips, 5445);
    EXPECT_EQ(normal.heightTwips, 3075);
    EXPECT_EQ(normal.WidthPixels(), 363);
    EXPECT_EQ(normal.HeightPixels(), 205);
    EXPECT_EQ(large.widthTwips, 7785);
    EXPECT_EQ(large.heightTwips, 4395);
    EXPECT_EQ(large.WidthPixels(), 519);
    EXPECT_EQ(large.HeightPixels(), 293);
}

TEST(MapAnchorTest, TenPixelsRightOfKeyTenAtItsTop) {
    EXPECT_EQ(MapAnchorInPanel({38, 97}, {40, 180}), (MapPoint{88, 277}));
    EXPECT_EQ(MapAnchorInPanel({0, 0}, {0, 0}), (MapPoint{10, 0}));
}

struct SlideCase {
    std::string name;
    int screen;
    int target;
    int stop;
    std::size_t steps;
};

class SlideInTest : public ::testing::TestWithParam<SlideCase> {};

TEST_P(SlideInTest, StopsAtTheLastStepNotAboveTheTarget) {
    const SlideCase& c = GetParam();
    const std::vector<int> tops = SlideInTops(c.screen, c.target);
    EXPECT_EQ(tops.size(), c.steps);
    EXPECT_EQ(SlideInStop(c.screen, c.target), c.stop);
    if (!tops.empty()) {
        EXPECT_EQ(tops.front(), c.screen);
        EXPECT_EQ(tops.back(), c.stop);
        for (std::size_t i = 1; i < tops.size(); ++i)
            EXPECT_EQ(tops[i - 1] - tops[i], SlideStepTwips);
    }
    EXPECT_GE(c.stop, c.target);
    EXPECT_LT(c.stop, c.target + SlideStepTwips);
}

INSTANTIATE_TEST_SUITE_P(Screens, SlideInTest,
                         ::testing::Values(SlideCase{"TallScreen", 11520, 6000, 6120, 19},
                                           SlideCase{"TargetOnAStep", 9000, 6000, 6000, 11},
                                           SlideCase{"TargetOneTwipAboveAStep", 9000, 5999, 6000,
                                                     11},
                                           SlideCase{"TargetAtScreenBottom", 9000, 9000, 9000, 1},
                                           SlideCase{"TargetBelowScreen", 9000, 9500, 9500, 0},
                                           SlideCase{"Screen600Pixels", 600 * TwipsPerPixel,
                                                     330 * TwipsPerPixel, 5100, 14}),
                         [](const ::testing::TestParamInfo<SlideCase>& p) { return p.param.name; });

struct AreaCase {
    const char* name;
    int top;
    int height;
    int areaTop;
    int areaBottom;
    int expected;
};

class MapTopOnAreaTest : public ::testing::TestWithParam<AreaCase> {};

TEST_P(MapTopOnAreaTest, KeepsTheAnchorOrRisesJustEnough) {
    const AreaCase& c = GetParam();
    EXPECT_EQ(MapTopOnArea(c.top, c.height, c.areaTop, c.areaBottom), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, MapTopOnAreaTest,
    ::testing::Values(AreaCase{"FitsBelowTheAnchor", 300, 205, 0, 600, 300},
                      AreaCase{"EndsOnTheLastRow", 395, 205, 0, 600, 395},
                      AreaCase{"OneRowTooLow", 396, 205, 0, 600, 395},
                      AreaCase{"Large1024x768", 508, 293, 0, 768, 475},
                      AreaCase{"AboveAPanel", 508, 293, 0, 740, 447},
                      AreaCase{"AreaNotAtTheTop", 1300, 293, 768, 1536, 1243},
                      AreaCase{"AreaLowerThanTheWindow", 100, 293, 20, 220, 20}),
    [](const ::testing::TestParamInfo<AreaCase>& p) { return std::string(p.param.name); });

TEST(FadeOutAlphasTest, FortyOneStepsFrom250To50) {
    const std::vector<int> alphas = FadeOutAlphas();
    ASSERT_EQ(alphas.size(), 41u);
    EXPECT_EQ(alphas.front(), 250);
    EXPECT_EQ(alphas.back(), 50);
    for (std::size_t i = 1; i < alphas.size(); ++i)
        EXPECT_EQ(alphas[i - 1] - alphas[i], 5);
}

} // namespace
