#include "tutor/ui/ZentavoLook.h"
#include "tutor/ui/TutorPlatform.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

struct ThemeCase {
    int theme;
    QColor top;
    QColor bottom;
};

class BackgroundThemes : public testing::TestWithParam<ThemeCase> {};

TEST_P(BackgroundThemes, RunFromTheTopColourToTheBottomColour) {
    const ThemeCase& c = GetParam();
    const int height = 768;
    EXPECT_EQ(ThemeRowColour(c.theme, 0, height), c.top);
    EXPECT_EQ(ThemeRowColour(c.theme, height - 1, height), c.bottom);
    // halfway each component lies halfway
    const QColor middle = ThemeRowColour(c.theme, (height - 1) / 2, height);
    EXPECT_NEAR(middle.red(), (c.top.red() + c.bottom.red()) / 2.0, 1.0);
    EXPECT_NEAR(middle.green(), (c.top.green() + c.bottom.green()) / 2.0, 1.0);
    EXPECT_NEAR(middle.blue(), (c.top.blue() + c.bottom.blue()) / 2.0, 1.0);
    EXPECT_EQ(NextBackgroundTheme(c.theme), (c.theme + 1) % 11);
}

INSTANTIATE_TEST_SUITE_P(Themes, BackgroundThemes,
                         testing::Values(ThemeCase{0, QColor(206, 222, 234), QColor(114, 140, 159)},
                                         ThemeCase{1, QColor(221, 227, 193), QColor(148, 158, 109)},
                                         ThemeCase{2, QColor(243, 216, 211), QColor(177, 137, 128)},
                                         ThemeCase{3, QColor(183, 216, 201), QColor(101, 142, 123)},
                                         ThemeCase{4, QColor(0, 0, 255), QColor(0, 0, 0)},
                                         ThemeCase{5, QColor(230, 0, 0), QColor(0, 0, 0)},
                                         ThemeCase{6, QColor(0, 212, 0), QColor(0, 0, 0)},
                                         ThemeCase{7, QColor(230, 230, 0), QColor(0, 0, 0)},
                                         ThemeCase{8, QColor(244, 0, 244), QColor(0, 0, 0)},
                                         ThemeCase{9, QColor(220, 220, 220), QColor(0, 0, 0)},
                                         ThemeCase{10, QColor(0, 0, 0), QColor(0, 0, 0)}));

struct RowCase {
    const char* name;
    QColor actual;
    QColor expected;
};

class PanelRows : public testing::TestWithParam<RowCase> {};

TEST_P(PanelRows, HaveTheirGradientColour) {
    EXPECT_EQ(GetParam().actual, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PanelRows,
    testing::Values(
        // central panel: 256 bands of grey int(i / 2) + 60
        RowCase{"notebook_top", NotebookRowColour(0, 452), QColor(60, 60, 60)},
        RowCase{"notebook_bottom", NotebookRowColour(451, 452), QColor(187, 187, 187)},
        RowCase{"notebook_middle", NotebookRowColour(226, 452), QColor(124, 124, 124)},
        // panel background: grey 200 down to black
        RowCase{"fondo_top", FondoNotebookRowColour(0, 400), QColor(200, 200, 200)},
        RowCase{"fondo_bottom", FondoNotebookRowColour(399, 400), QColor(1, 1, 1)},
        // bottom bar: one row per i = 0..40
        RowCase{"bar_first", BottomBarRowColour(0, Qt::white), QColor(196, 236, 228)},
        RowCase{"bar_last", BottomBarRowColour(40, Qt::white), QColor(156, 196, 228)},
        RowCase{"bar_beyond", BottomBarRowColour(41, Qt::white), QColor(Qt::white)},
        // level and message panels: bands of 11 rows at top and bottom
        RowCase{"band_top", PanelBandRowColour(0, 40, Qt::white), QColor(176, 216, 248)},
        RowCase{"band_top_end", PanelBandRowColour(10, 40, Qt::white), QColor(156, 196, 228)},
        RowCase{"band_between", PanelBandRowColour(20, 40, Qt::white), QColor(Qt::white)},
        RowCase{"band_bottom_start", PanelBandRowColour(30, 40, Qt::white), QColor(156, 196, 228)},
        RowCase{"band_bottom_end", PanelBandRowColour(40, 40, Qt::white), QColor(136, 176, 208)}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(GradientPanel, PaintsItsRows) {
    QWidget parent;
    GradientPanel bar(GradientPanel::Kind::BottomBar, QStringLiteral("picBottomBar"), &parent);
    bar.resize(120, 41);
    const QImage image = bar.grab().toImage();
    EXPECT_EQ(QColor(image.pixel(7, 0)), QColor(196, 236, 228));
    EXPECT_EQ(QColor(image.pixel(100, 20)), QColor(176, 216, 228));
    EXPECT_EQ(QColor(image.pixel(60, 40)), QColor(156, 196, 228));
}

TEST(GradientTile, CoversAnyAreaWithTheRowsOfItsHeight) {
    const int h = 50;
    const auto rows = [h](int y) { return PanelBandRowColour(y, h, kPanelBackColour); };
    const QPixmap tile = GradientTile(h, rows);
    QImage image(300, h, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    // an area that starts inside a tile and ends past several of them
    const QRect area(kGradientTileWidth / 2 + 3, 4, 2 * kGradientTileWidth + 29, 30);
    PaintGradientTile(p, area, tile);
    p.end();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor expected = area.contains(x, y) ? rows(y) : QColor(Qt::black);
            ASSERT_EQ(QColor(image.pixel(x, y)), expected) << x << "," << y;
        }
    }
}

TEST(GradientPanel, DrawsItsGradientAgainForANewHeight) {
    QWidget parent;
    GradientPanel band(GradientPanel::Kind::Band, QStringLiteral("picLevel"), &parent);
    band.resize(90, 40);
    (void)band.grab();
    band.resize(90, 60);
    const QImage image = band.grab().toImage();
    for (int y = 0; y < 60; ++y)
        ASSERT_EQ(QColor(image.pixel(45, y)), PanelBandRowColour(y, 60, kPanelBackColour)) << y;
}

TEST(PanelFrame, HasRoundedCorners) {
    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QRect panel(10, 10, 40, 20);
    {
        QPainter p(&image);
        PaintPanelFrame(p, panel);
    }
    const QRect outer = panel.adjusted(-3, -3, 2, 2);
    // the corner pixels themselves are left out ...
    EXPECT_EQ(QColor(image.pixel(outer.topLeft())), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(outer.bottomRight())), QColor(Qt::white));
    // ... while the edges are drawn, and a pixel turns each corner
    EXPECT_NE(QColor(image.pixel(outer.center().x(), outer.top())), QColor(Qt::white));
    EXPECT_NE(QColor(image.pixel(outer.left(), outer.center().y())), QColor(Qt::white));
    EXPECT_NE(QColor(image.pixel(outer.left() + 1, outer.top() + 3)), QColor(Qt::white));
    // and nothing inside the panel is touched
    EXPECT_EQ(QColor(image.pixel(panel.center())), QColor(Qt::white));
}

struct ScreenCase {
    int width;
    int height;
    ScreenFit fit;
};

class ScreenSizes : public testing::TestWithParam<ScreenCase> {};

TEST_P(ScreenSizes, DecideWhetherAndHowTheTutorRuns) {
    EXPECT_EQ(CheckScreen(GetParam().width, GetParam().height), GetParam().fit);
}

INSTANTIATE_TEST_SUITE_P(Screens, ScreenSizes,
                         testing::Values(ScreenCase{800, 600, ScreenFit::Normal},
                                         ScreenCase{799, 600, ScreenFit::TooSmall},
                                         ScreenCase{800, 599, ScreenFit::TooSmall},
                                         ScreenCase{1000, 750, ScreenFit::Normal},
                                         ScreenCase{1001, 600, ScreenFit::Large},
                                         ScreenCase{800, 751, ScreenFit::Large},
                                         ScreenCase{1024, 768, ScreenFit::Large}));

TEST(ResolutionMessage, HasItsSixLines) {
    const QStringList lines = ResolutionMessage().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[1], QStringLiteral("800 x 600 pixel."));
    EXPECT_TRUE(lines[3].isEmpty());
    EXPECT_EQ(lines[5], QStringLiteral("Modify your video settings and try again."));
}

} // namespace
