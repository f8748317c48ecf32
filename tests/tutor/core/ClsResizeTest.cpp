#include "tutor/core/ClsResize.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ScaleCase {
    std::string name;
    ControlGeometry design;
    ControlGeometry expected;
};

class ScaleControlTest : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(ScaleControlTest, GivesTheEnlargedGeometry) {
    const ScaleCase& c = GetParam();
    ControlGeometry scaled = ScaleControl(c.design);
    EXPECT_EQ(scaled.kind, c.expected.kind);
    EXPECT_EQ(scaled.a, c.expected.a);
    EXPECT_EQ(scaled.b, c.expected.b);
    EXPECT_EQ(scaled.c, c.expected.c);
    EXPECT_EQ(scaled.d, c.expected.d);
    EXPECT_NEAR(scaled.fontSize, c.expected.fontSize, 0.01f);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, ScaleControlTest,
    ::testing::Values(
        // Pictures are moved (and 4 further in) but keep their size.
        ScaleCase{"Picture",
                  {ControlKind::Picture, 100, 100, 32, 32, 0.0f},
                  {ControlKind::Picture, 145, 135, 32, 32, 0.0f}},
        ScaleCase{"PictureAtOrigin",
                  {ControlKind::Picture, 0, 0, 48, 16, 0.0f},
                  {ControlKind::Picture, 4, 4, 48, 16, 0.0f}},
        ScaleCase{"Label",
                  {ControlKind::Other, 10, 10, 100, 20, 8.0f},
                  {ControlKind::Other, 14, 13, 141, 26, 9.4995f}},
        ScaleCase{"ControlWithoutFont",
                  {ControlKind::Other, 200, 300, 50, 40, 0.0f},
                  {ControlKind::Other, 282, 393, 71, 52, 0.0f}},
        // 7 * 1.41 = 9.87 and 7 * 1.31 = 9.17: rounding goes to the nearest, not down.
        ScaleCase{"RoundsToNearest",
                  {ControlKind::Other, 7, 7, 3, 3, 12.0f},
                  {ControlKind::Other, 10, 9, 4, 4, 14.249f}},
        // A line scales both end points, so its length and slope follow the window.
        ScaleCase{"Line",
                  {ControlKind::Line, 10, 20, 110, 20, 0.0f},
                  {ControlKind::Line, 14, 26, 155, 26, 0.0f}},
        ScaleCase{"VerticalLine",
                  {ControlKind::Line, 600, 0, 600, 400, 0.0f},
                  {ControlKind::Line, 846, 0, 846, 524, 0.0f}},
        ScaleCase{"NegativePosition",
                  {ControlKind::Other, -10, -100, 20, 20, 0.0f},
                  {ControlKind::Other, -14, -131, 28, 26, 0.0f}}),
    [](const ::testing::TestParamInfo<ScaleCase>& p) { return p.param.name; });

TEST(ResizeFontFactorTest, IsTheSquareRootOfTheHorizontalFactor) {
    EXPECT_NEAR(ResizeFontFactor() * ResizeFontFactor(), ResizeFactorX, 1e-12);
    EXPECT_NEAR(ResizeFontFactor(), 1.187, 0.001);
}

// A window whose controls live in plain records, as a widget tree would hold them.
class FakeForm : public ResizableForm {
public:
    explicit FakeForm(std::vector<ControlGeometry> controls) : current(std::move(controls)) {}

    int InnerWidth() const override { return 800; }
    int InnerHeight() const override { return 600; }
    bool IsMinimised() const override { return minimised; }
    std::vector<ControlGeometry> ReadControls() const override {
        ++reads;
        return current;
    }
    void FreezeDrawing(bool frozen) override {
        freezes.push_back(frozen);
        drawingFrozen = frozen;
    }
    void WriteControl(std::size_t index, const ControlGeometry& scaled) override {
        writesWhileFrozen += drawingFrozen ? 1 : 0;
        current.at(index) = scaled;
    }

    std::vector<ControlGeometry> current;
    bool minimised = false;
    bool drawingFrozen = false;
    int writesWhileFrozen = 0;
    mutable int reads = 0;
    std::vector<bool> freezes;
};

std::vector<ControlGeometry> DesignLayout() {
    return {{ControlKind::Picture, 100, 100, 32, 32, 0.0f},
            {ControlKind::Other, 10, 10, 100, 20, 8.0f},
            {ControlKind::Line, 5, 5, 95, 5, 0.0f}};
}

TEST(ClsResizeTest, SizeFormToScreenRecordsThenScalesEveryControlWhileDrawingIsFrozen) {
    FakeForm form(DesignLayout());
    ClsResize resize;
    resize.SourceForm(&form);
    EXPECT_TRUE(resize.NeedsRecording());

    resize.SizeFormToScreen();

    EXPECT_FALSE(resize.NeedsRecording());
    EXPECT_EQ(resize.RecordedWidth(), 800);
    EXPECT_EQ(resize.RecordedHeight(), 600);
    EXPECT_EQ(resize.Layout(), DesignLayout());
    ASSERT_EQ(form.current.size(), 3u);
    EXPECT_EQ(form.current[0], (ControlGeometry{ControlKind::Picture, 145, 135, 32, 32, 0.0f}));
    EXPECT_EQ(form.current[1].a, 14);
    EXPECT_EQ(form.current[1].c, 141);
    EXPECT_EQ(form.current[2], (ControlGeometry{ControlKind::Line, 7, 7, 134, 7, 0.0f}));
    EXPECT_EQ(form.writesWhileFrozen, 3);
    EXPECT_EQ(form.freezes, (std::vector<bool>{true, false}));
}

TEST(ClsResizeTest, ScalingTwiceGivesTheSameLayoutAsOnce) {
    FakeForm once(DesignLayout());
    FakeForm twice(DesignLayout());
    ClsResize r1;
    ClsResize r2;
    r1.SourceForm(&once);
    r2.SourceForm(&twice);

    r1.SizeFormToScreen();
    r2.SizeFormToScreen();
    r2.SizeFormToScreen();
    r2.ResizeControls();

    EXPECT_EQ(twice.current, once.current);
    EXPECT_EQ(twice.reads, 1);
}

TEST(ClsResizeTest, FirstResizeControlsOnlyRecords) {
    FakeForm form(DesignLayout());
    ClsResize resize;
    resize.SourceForm(&form);

    resize.ResizeControls();
    EXPECT_EQ(form.current, DesignLayout());
    EXPECT_FALSE(resize.NeedsRecording());

    resize.ResizeControls();
    EXPECT_EQ(form.current[0].a, 145);
}

TEST(ClsResizeTest, MinimisedWindowIsLeftUnchangedAndScaledOnceRestored) {
    FakeForm form(DesignLayout());
    form.minimised = true;
    ClsResize resize;
    resize.SourceForm(&form);

    resize.SizeFormToScreen();
    EXPECT_EQ(form.current, DesignLayout());
    EXPECT_TRUE(form.freezes.empty());

    form.minimised = false;
    resize.ResizeControls();
    EXPECT_EQ(form.current[0].a, 145);
}

TEST(ClsResizeTest, WindowWithoutControlsIsNotFrozen) {
    FakeForm form({});
    ClsResize resize;
    resize.SourceForm(&form);
    resize.SizeFormToScreen();
    EXPECT_TRUE(form.freezes.empty());
    EXPECT_FALSE(resize.NeedsRecording());
}

TEST(ClsResizeTest, ChangingTheWindowRecordsTheNewWindowsLayout) {
    FakeForm first(DesignLayout());
    FakeForm second({{ControlKind::Other, 100, 100, 10, 10, 0.0f}});
    ClsResize resize;
    resize.SourceForm(&first);
    resize.SizeFormToScreen();

    resize.SourceForm(&second);
    EXPECT_EQ(resize.SourceForm(), &second);
    resize.SizeFormToScreen();

    EXPECT_EQ(second.current[0], (ControlGeometry{ControlKind::Other, 141, 131, 14, 13, 0.0f}));
}

TEST(ClsResizeTest, WithoutWindowNothingHappens) {
    ClsResize resize;
    resize.SizeFormToScreen();
    resize.ResizeControls();
    EXPECT_TRUE(resize.NeedsRecording());
    EXPECT_TRUE(resize.Layout().empty());
}

} // namespace
