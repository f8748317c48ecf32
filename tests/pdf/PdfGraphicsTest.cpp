// Vector graphics: colours, line style, paths and their paint operators,
// rectangles, circles and arcs, as content stream lines.
#include "PdfTestSupport.h"

#include "pdf/clsPDFCreator.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using Draw = std::function<void(clsPDFCreator&)>;

struct GraphicsCase {
    const char* label;
    int32_t scaleMode;
    Draw draw;
    const char* content;
};

class GraphicsTest : public testing::TestWithParam<GraphicsCase> {};

TEST_P(GraphicsTest, WritesContentLines) {
    const pdftest::OnePage page =
        pdftest::WriteOnePage([](clsPDFCreator&) {}, GetParam().draw, {GetParam().scaleMode});
    EXPECT_EQ(page.content, GetParam().content);
}

std::string Name(const testing::TestParamInfo<GraphicsCase>& param) {
    return param.param.label;
}

constexpr int32_t Rgb(int r, int g, int b) {
    return r + 256 * g + 65536 * b;
}

INSTANTIATE_TEST_SUITE_P(
    Colours, GraphicsTest,
    testing::Values(
        GraphicsCase{"FillBlack", 0, [](clsPDFCreator& p) { p.SetColorFill(0); }, "0 g\r\n"},
        GraphicsCase{"FillWhite", 0, [](clsPDFCreator& p) { p.SetColorFill(-255); }, "1 g\r\n"},
        GraphicsCase{"FillGrey", 0, [](clsPDFCreator& p) { p.SetColorFill(-128); }, "0.502 g\r\n"},
        GraphicsCase{"FillRed", 0, [](clsPDFCreator& p) { p.SetColorFill(Rgb(255, 0, 0)); },
                     "1 0 0 rg\r\n"},
        GraphicsCase{"FillBlue", 0, [](clsPDFCreator& p) { p.SetColorFill(Rgb(0, 0, 255)); },
                     "0 0 1 rg\r\n"},
        GraphicsCase{"HighestByteIgnored", 0,
                     [](clsPDFCreator& p) { p.SetColorFill(0x01000000 | Rgb(0, 51, 0)); },
                     "0 0.2 0 rg\r\n"},
        GraphicsCase{"StrokeGreenBand", 0,
                     [](clsPDFCreator& p) { p.SetColorStroke(Rgb(236, 255, 213)); },
                     "0.925 1 0.835 RG\r\n"},
        GraphicsCase{"StrokeLightGrey", 0,
                     [](clsPDFCreator& p) { p.SetColorStroke(Rgb(244, 244, 244)); },
                     "0.957 0.957 0.957 RG\r\n"},
        GraphicsCase{"StrokeBlack", 0, [](clsPDFCreator& p) { p.SetColorStroke(0); }, "0 G\r\n"},
        GraphicsCase{"StrokeGreyLevel", 0, [](clsPDFCreator& p) { p.SetColorStroke(-51); },
                     "0.2 G\r\n"}),
    Name);

INSTANTIATE_TEST_SUITE_P(
    LineStyle, GraphicsTest,
    testing::Values(
        GraphicsCase{"DashOff", 0, [](clsPDFCreator& p) { p.SetDash(0, 0); }, "[ ] 0 d\r\n"},
        GraphicsCase{"DashOnly", 0, [](clsPDFCreator& p) { p.SetDash(3); }, "[3 0] 0 d\r\n"},
        GraphicsCase{"DashMillimetres", 2, [](clsPDFCreator& p) { p.SetDash(3, 2); },
                     "[8.504 5.669] 0 d\r\n"},
        GraphicsCase{"WidthCentimetres", 3, [](clsPDFCreator& p) { p.SetLineWidth(0.01f); },
                     "0.283 w\r\n"},
        GraphicsCase{"WidthBand", 3, [](clsPDFCreator& p) { p.SetLineWidth(0.7f); },
                     "19.843 w\r\n"},
        GraphicsCase{"Caps", 0,
                     [](clsPDFCreator& p) {
                         for (int16_t cap = -1; cap <= 3; ++cap) {
                             p.SetLineCap(cap);
                         }
                     },
                     "0 J\r\n1 J\r\n2 J\r\n"},
        GraphicsCase{"Joins", 0,
                     [](clsPDFCreator& p) {
                         for (int16_t join = -1; join <= 3; ++join) {
                             p.SetLineJoin(join);
                         }
                     },
                     "0 j\r\n1 j\r\n2 j\r\n"},
        GraphicsCase{"MiterLimitUnconverted", 3,
                     [](clsPDFCreator& p) {
                         p.SetMiterLimit(0.5f);
                         p.SetMiterLimit(1);
                         p.SetMiterLimit(10.5f);
                     },
                     "1 M\r\n10.5 M\r\n"}),
    Name);

INSTANTIATE_TEST_SUITE_P(
    PaintOperators, GraphicsTest,
    testing::Values(
        GraphicsCase{"None", 0, [](clsPDFCreator& p) { p.LineTo(1, 2, 0); }, "1 2 l\r\n"},
        GraphicsCase{"Stroke", 0, [](clsPDFCreator& p) { p.LineTo(1, 2, 1); }, "1 2 l\r\nS\r\n"},
        GraphicsCase{"Close", 0, [](clsPDFCreator& p) { p.LineTo(1, 2, 2); }, "1 2 l\r\nh\r\n"},
        GraphicsCase{"CloseStroke", 0, [](clsPDFCreator& p) { p.LineTo(1, 2, 3); },
                     "1 2 l\r\nh\r\nS\r\n"},
        GraphicsCase{"Fill", 0, [](clsPDFCreator& p) { p.LineTo(1, 2, 4); }, "1 2 l\r\nf\r\n"},
        GraphicsCase{"FillStroke", 0, [](clsPDFCreator& p) { p.LineTo(1, 2, 5); },
                     "1 2 l\r\nB\r\n"},
        GraphicsCase{"CloseFill", 0, [](clsPDFCreator& p) { p.LineTo(1, 2, 6); }, "1 2 l\r\nf\r\n"},
        GraphicsCase{"All", 0, [](clsPDFCreator& p) { p.LineTo(1, 2, 7); }, "1 2 l\r\nb\r\n"},
        GraphicsCase{"MoveInCentimetres", 3, [](clsPDFCreator& p) { p.MoveTo(1, 2); },
                     "28.346 56.693 m\r\n"},
        GraphicsCase{"Rule", 3,
                     [](clsPDFCreator& p) {
                         p.MoveTo(2, 27.3f);
                         p.LineTo(20, 27.3f, 1);
                     },
                     "56.693 773.858 m\r\n566.929 773.858 l\r\nS\r\n"},
        GraphicsCase{"Curve", 0, [](clsPDFCreator& p) { p.Curve(1, 2, 3, 4, 5, 6, 1); },
                     "1 2 3 4 5 6 c\r\nS\r\n"}),
    Name);

INSTANTIATE_TEST_SUITE_P(
    Shapes, GraphicsTest,
    testing::Values(
        GraphicsCase{"Rectangle", 0, [](clsPDFCreator& p) { p.Rectangle(10, 20, 100, 50, 4, 0); },
                     "n\r\n10 20 100 50 re\r\nf\r\n"},
        GraphicsCase{"RectangleInMillimetres", 2,
                     [](clsPDFCreator& p) { p.Rectangle(10, 10, 100, 50, 1, -1); },
                     "n\r\n28.346 28.346 283.465 141.732 re\r\nS\r\n"},
        // Corner radius 10, control points 5.5 from the ends of each arc.
        GraphicsCase{"RoundedRectangle", 0,
                     [](clsPDFCreator& p) { p.Rectangle(10, 10, 100, 50, 1, 10); },
                     "n\r\n20 10 m\r\n100 10 l\r\n105.5 10 110 14.5 110 20 c\r\n110 50 l\r\n"
                     "110 55.5 105.5 60 100 60 c\r\n20 60 l\r\n14.5 60 10 55.5 10 50 c\r\n"
                     "10 20 l\r\n10 14.5 14.5 10 20 10 c\r\nS\r\n"},
        // A radius of 30 on a height of 40 becomes 20.
        GraphicsCase{"RoundedRadiusLimitedByHeight", 0,
                     [](clsPDFCreator& p) { p.Rectangle(0, 0, 100, 40, 3, 30); },
                     "n\r\n20 0 m\r\n80 0 l\r\n91 0 100 9 100 20 c\r\n100 20 l\r\n"
                     "100 31 91 40 80 40 c\r\n20 40 l\r\n9 40 0 31 0 20 c\r\n0 20 l\r\n"
                     "0 9 9 0 20 0 c\r\nh\r\nS\r\n"},
        GraphicsCase{"Circle", 0, [](clsPDFCreator& p) { p.DrawCircle(100, 100, 10, 4); },
                     "100 90 m\r\n105.5 90 110 94.5 110 100 c\r\n110 105.5 105.5 110 100 110 c\r\n"
                     "94.5 110 90 105.5 90 100 c\r\n90 94.5 94.5 90 100 90 c\r\nf\r\n"},
        GraphicsCase{"CircleInInches", 1, [](clsPDFCreator& p) { p.DrawCircle(1, 1, 1, 0); },
                     "72 0 m\r\n111.6 0 144 32.4 144 72 c\r\n144 111.6 111.6 144 72 144 c\r\n"
                     "32.4 144 0 111.6 0 72 c\r\n0 32.4 32.4 0 72 0 c\r\n"}),
    Name);

INSTANTIATE_TEST_SUITE_P(
    Arcs, GraphicsTest,
    testing::Values(
        GraphicsCase{"QuarterOpen", 0,
                     [](clsPDFCreator& p) { p.Arc(100, 100, 10, 0, 90, 1, false, 0, 45, 1); },
                     "n\r\n100 100 m\r\n110 100 m\r\n110 100 l\r\n107.071 107.071 l\r\n"
                     "100 110 l\r\nS\r\n"},
        GraphicsCase{"HalfEllipseFilledIsClosed", 0,
                     [](clsPDFCreator& p) { p.Arc(0, 0, 10, 0, 180, 0.5f, false, 0, 90, 4); },
                     "n\r\n0 0 m\r\n10 0 l\r\n0 5 l\r\n-10 0 l\r\n0 0 l\r\nf\r\n"},
        GraphicsCase{"ClosedToCentre", 0,
                     [](clsPDFCreator& p) { p.Arc(0, 0, 10, 0, 90, 1, true, 0, 90, 3); },
                     "n\r\n0 0 m\r\n10 0 l\r\n0 10 l\r\n0 0 l\r\nh\r\nS\r\n"},
        GraphicsCase{"RotatedCounterClockwise", 0,
                     [](clsPDFCreator& p) { p.Arc(0, 0, 10, 0, 0, 1, false, 90, 10, 1); },
                     "n\r\n0 0 m\r\n0 10 m\r\n0 10 l\r\nS\r\n"},
        GraphicsCase{"StepAgainstDirectionDrawsNoPoint", 0,
                     [](clsPDFCreator& p) { p.Arc(0, 0, 10, 90, 0, 1, false, 0, 10, 1); },
                     "n\r\n0 0 m\r\nS\r\n"},
        GraphicsCase{"NegativeStep", 0,
                     [](clsPDFCreator& p) { p.Arc(0, 0, 10, 90, 0, 1, false, 0, -90, 1); },
                     "n\r\n0 0 m\r\n0 10 m\r\n0 10 l\r\n10 0 l\r\nS\r\n"},
        GraphicsCase{"FractionalStepReachesTheEnd", 0,
                     [](clsPDFCreator& p) { p.Arc(0, 0, 10, 0, 0.3f, 1, true, 0, 0.1f, 0); },
                     "n\r\n0 0 m\r\n10 0 l\r\n10 0.017 l\r\n10 0.035 l\r\n10 0.052 l\r\n"
                     "0 0 l\r\n"},
        GraphicsCase{"Centimetres", 3,
                     [](clsPDFCreator& p) { p.Arc(1, 1, 1, 0, 0, 1, false, 0, 1, 1); },
                     "n\r\n28.346 28.346 m\r\n56.693 28.346 m\r\n56.693 28.346 l\r\nS\r\n"}),
    Name);

TEST(ArcTest, StepThatNeverEndsIsRefusedBeforeWriting) {
    for (const float step : {0.0f, 1e-9f}) {
        const pdftest::OnePage page = pdftest::WriteOnePage(
            [](clsPDFCreator&) {},
            [&](clsPDFCreator& p) {
                EXPECT_THROW(p.Arc(0, 0, 10, 0, 360, 1, false, 0, step, 1), std::invalid_argument);
            });
        EXPECT_EQ(page.content, "");
    }
}

} // namespace
