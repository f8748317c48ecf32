#include "tutor/ui/frmTransparency.h"

#include "common/ui/Pictures.h"
#include "tutor/core/MapShape.h"

#include <QApplication>
#include <QDialog>
#include <QScreen>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Records what the map window looks like at every animation step.
struct Steps {
    std::vector<QPoint> positions;
    std::vector<bool> shownFlags;
    std::vector<double> opacities;
    QPointer<frmTransparency> watched;
    std::function<void(int)> duringStep;
    int waits = 0;
};

class MapWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        steps = std::make_shared<Steps>();
        UsePlatform(true);
        mainWindow = std::make_unique<QWidget>();
        mainWindow->resize(400, 300);
        mainWindow->show();
    }

    void TearDown() override {
        frmTransparency::SetPlatform({0, [] { return false; }, {}});
        frmTransparency::CloseMap();
        FlushDeletes();
        frmTransparency::SetPlatform(frmTransparency::DefaultPlatform());
        mainWindow.reset();
    }

    void UsePlatform(bool canAnimate) {
        std::shared_ptr<Steps> s = steps;
        const auto afterStep = [s] {
            ++s->waits;
            QPointer<frmTransparency> w = frmTransparency::Current();
            if (!w)
                w = s->watched;
            if (w) {
                s->positions.push_back(w->pos());
                s->opacities.push_back(w->windowOpacity());
            }
            s->shownFlags.push_back(frmTransparency::MapWindowShown());
            if (s->duringStep)
                s->duringStep(s->waits);
        };
        frmTransparency::SetPlatform({0, [canAnimate] { return canAnimate; }, afterStep});
    }

    // Lets the slide or the fade run to its end.
    static void Settle() {
        for (int i = 0; i < 100000 && frmTransparency::Animating(); ++i)
            QCoreApplication::processEvents();
        ASSERT_FALSE(frmTransparency::Animating());
    }
    static void Show(QWidget* main, QPoint anchor, bool large) {
        frmTransparency::ShowMap(main, anchor, large);
        Settle();
    }
    static void Close() {
        frmTransparency::CloseMap();
        Settle();
    }

    static void FlushDeletes() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static int ScreenBottom() {
        const QRect g = QGuiApplication::primaryScreen()->geometry();
        return g.y() + g.height();
    }

    std::shared_ptr<Steps> steps;
    std::unique_ptr<QWidget> mainWindow;
};

struct SlideCase {
    const char* name;
    bool large;
    QPoint anchor;
    QSize size;
};

class MapWindowSlideTest : public MapWindowTest, public ::testing::WithParamInterface<SlideCase> {};

TEST_P(MapWindowSlideTest, SlidesUpIn20PixelStepsAndStopsAtOrJustBelowTheAnchor) {
    const SlideCase& c = GetParam();
    Show(mainWindow.get(), c.anchor, c.large);

    frmTransparency* window = frmTransparency::Current();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->size(), c.size);
    EXPECT_EQ(window->IsLarge(), c.large);

    const std::vector<int> tops =
        SlideInTops(ScreenBottom() * TwipsPerPixel, c.anchor.y() * TwipsPerPixel);
    ASSERT_EQ(steps->positions.size(), tops.size());
    for (std::size_t i = 0; i < tops.size(); ++i) {
        EXPECT_EQ(steps->positions[i], QPoint(c.anchor.x(), tops[i] / TwipsPerPixel)) << i;
        EXPECT_FALSE(steps->shownFlags[i]) << "the flag waits for the arrival";
    }
    const int stop = SlideInStop(ScreenBottom() * TwipsPerPixel, c.anchor.y() * TwipsPerPixel);
    EXPECT_EQ(window->pos(), QPoint(c.anchor.x(), stop / TwipsPerPixel));
    EXPECT_GE(window->y(), c.anchor.y());
    EXPECT_LT(window->y(), c.anchor.y() + SlideStepTwips / TwipsPerPixel);
    EXPECT_TRUE(frmTransparency::MapWindowShown());
}

INSTANTIATE_TEST_SUITE_P(Sizes, MapWindowSlideTest,
                         ::testing::Values(SlideCase{"Normal", false, {120, 330}, {363, 205}},
                                           SlideCase{"Large", true, {60, 150}, {519, 293}},
                                           SlideCase{"AnchorOnAStep", false, {0, 380}, {363, 205}}),
                         [](const ::testing::TestParamInfo<SlideCase>& p) {
                             return std::string(p.param.name);
                         });

// An anchor too low for the whole map (a 1024 x 768 screen puts the hands
// 33 pixels below its edge): the window rises just enough to lie wholly on
// the screen's available area, animated or not, and keeps its left edge.
TEST_F(MapWindowTest, AnAnchorTooLowLiftsTheWindowOntoTheAvailableArea) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const int areaBottom = area.y() + area.height();
    for (const bool animate : {true, false}) {
        for (const bool large : {false, true}) {
            SCOPED_TRACE(testing::Message() << "animate " << animate << " large " << large);
            UsePlatform(animate);
            steps->positions.clear();
            const int height = large ? 293 : 205;
            const QPoint anchor(40, areaBottom - height + 33);
            Show(mainWindow.get(), anchor, large);
            frmTransparency* window = frmTransparency::Current();
            ASSERT_NE(window, nullptr);
            EXPECT_EQ(window->pos(), QPoint(anchor.x(), areaBottom - height));
            for (const QPoint& step : steps->positions)
                EXPECT_GE(step.y(), areaBottom - height) << "never above where it stops";
            Close();
            FlushDeletes();
        }
    }
}

TEST_F(MapWindowTest, AnimationsStepEvery10MillisecondsAndReturnAtOnce) {
    EXPECT_EQ(frmTransparency::DefaultPlatform().stepMs, MapAnimationStepMs);
    frmTransparency::ShowMap(mainWindow.get(), {100, 300}, false);
    // Only the first step has been taken: the rest come from the event loop.
    EXPECT_EQ(steps->waits, 1);
    EXPECT_TRUE(frmTransparency::Animating());
    EXPECT_FALSE(frmTransparency::MapWindowShown());
    Settle();
    EXPECT_TRUE(frmTransparency::MapWindowShown());
}

TEST_F(MapWindowTest, WindowIsFramelessToolOnTopThatTakesNoFocus) {
    Show(mainWindow.get(), {100, 300}, false);
    const Qt::WindowFlags flags = frmTransparency::Current()->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(flags.testFlag(Qt::Tool));
    EXPECT_TRUE(flags.testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_EQ(frmTransparency::Current()->parentWidget(), mainWindow.get());
}

TEST_F(MapWindowTest, CloseFadesFrom250To50InStepsOf5ThenReleasesTheWindow) {
    Show(mainWindow.get(), {100, 300}, false);
    steps->watched = frmTransparency::Current();
    *steps = Steps{{}, {}, {}, steps->watched, {}, 0};

    Close();

    const std::vector<int> alphas = FadeOutAlphas();
    ASSERT_EQ(steps->opacities.size(), alphas.size());
    for (std::size_t i = 0; i < alphas.size(); ++i) {
        EXPECT_NEAR(steps->opacities[i], alphas[i] / 255.0, 0.005) << i;
        EXPECT_FALSE(steps->shownFlags[i]) << "the flag clears before the fade";
    }
    EXPECT_FALSE(frmTransparency::MapWindowShown());
    EXPECT_EQ(frmTransparency::Current(), nullptr);
    ASSERT_TRUE(steps->watched);
    EXPECT_FALSE(steps->watched->isVisible());
    FlushDeletes();
    EXPECT_TRUE(steps->watched.isNull());
}

TEST_F(MapWindowTest, WithoutAnimationTheWindowAppearsInPlaceAndVanishesAtOnce) {
    UsePlatform(false);
    Show(mainWindow.get(), {100, 300}, false);
    QPointer<frmTransparency> window = frmTransparency::Current();
    ASSERT_TRUE(window);
    EXPECT_EQ(steps->waits, 0);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->pos(),
              QPoint(100, SlideInStop(ScreenBottom() * TwipsPerPixel, 300 * TwipsPerPixel) /
                              TwipsPerPixel));
    EXPECT_TRUE(frmTransparency::MapWindowShown());

    Close();
    EXPECT_EQ(steps->waits, 0);
    EXPECT_FALSE(window->isVisible());
    EXPECT_DOUBLE_EQ(window->windowOpacity(), 1.0);
    EXPECT_FALSE(frmTransparency::MapWindowShown());
}

TEST_F(MapWindowTest, ClosingWhileItSlidesStopsTheSlideAndLeavesTheFlagDown) {
    steps->duringStep = [](int step) {
        if (step == 3)
            frmTransparency::CloseMap();
    };
    Show(mainWindow.get(), {100, 300}, false);

    EXPECT_FALSE(frmTransparency::MapWindowShown());
    EXPECT_EQ(frmTransparency::Current(), nullptr);
    // Three slide steps, then the 41 steps of the fade, and no slide step after it.
    EXPECT_EQ(steps->waits, 3 + int(FadeOutAlphas().size()));
}

TEST_F(MapWindowTest, ASecondShowWhileOpenKeepsTheOneWindow) {
    Show(mainWindow.get(), {100, 300}, false);
    frmTransparency* first = frmTransparency::Current();
    const int waits = steps->waits;
    Show(mainWindow.get(), {50, 200}, true);
    EXPECT_EQ(frmTransparency::Current(), first);
    EXPECT_EQ(steps->waits, waits);
    EXPECT_EQ(mainWindow->findChildren<frmTransparency*>().size(), 1);
}

TEST_F(MapWindowTest, ShowingAgainAfterCloseOpensANewWindow) {
    Show(mainWindow.get(), {100, 300}, false);
    Close();
    Show(mainWindow.get(), {100, 300}, true);
    ASSERT_NE(frmTransparency::Current(), nullptr);
    EXPECT_TRUE(frmTransparency::Current()->IsLarge());
    EXPECT_TRUE(frmTransparency::MapWindowShown());
}

TEST_F(MapWindowTest, HiddenForPrintingAndShownAgainInPlace) {
    EXPECT_FALSE(frmTransparency::HideMap()) << "no map window yet";
    Show(mainWindow.get(), {100, 300}, false);
    frmTransparency* window = frmTransparency::Current();
    const QPoint place = window->pos();
    const int waits = steps->waits;

    EXPECT_TRUE(frmTransparency::HideMap());
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(frmTransparency::HideMap()) << "already hidden";
    frmTransparency::ShowMapAgain();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->pos(), place);
    EXPECT_EQ(steps->waits, waits) << "no second slide";
}

TEST_F(MapWindowTest, ShowAgainDoesNotReopenAWindowThatWasNotHidden) {
    Show(mainWindow.get(), {100, 300}, false);
    frmTransparency::Current()->hide();
    frmTransparency::ShowMapAgain();
    EXPECT_FALSE(frmTransparency::Current()->isVisible());
}

TEST_F(MapWindowTest, ClosingTheMainWindowReleasesTheMapAndClearsTheFlag) {
    Show(mainWindow.get(), {100, 300}, false);
    ASSERT_TRUE(frmTransparency::MapWindowShown());
    mainWindow.reset();
    EXPECT_FALSE(frmTransparency::MapWindowShown());
    EXPECT_EQ(frmTransparency::Current(), nullptr);
}

TEST_F(MapWindowTest, StepsAsideWhileAModalWindowIsOpen) {
    Show(mainWindow.get(), {100, 300}, false);
    frmTransparency* map = frmTransparency::Current();
    QDialog dialog(mainWindow.get());
    dialog.setModal(true);
    dialog.show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(map->isVisible());
    EXPECT_TRUE(frmTransparency::MapWindowShown());

    dialog.hide();
    QCoreApplication::processEvents();
    EXPECT_TRUE(map->isVisible());
}

TEST_F(MapWindowTest, AModelessWindowLeavesTheMapInPlace) {
    Show(mainWindow.get(), {100, 300}, false);
    QWidget other;
    other.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(frmTransparency::Current()->isVisible());
}

// The about box closes and printing starts at once: the map, aside for the box, stays
// hidden through the printing and comes back when the printing is over.
TEST_F(MapWindowTest, PrintingRightAfterAModalWindowKeepsTheMapHiddenUntilItEnds) {
    Show(mainWindow.get(), {100, 300}, false);
    frmTransparency* map = frmTransparency::Current();
    auto dialog = std::make_unique<QDialog>(mainWindow.get());
    dialog->setModal(true);
    dialog->show();
    QCoreApplication::processEvents();
    dialog.reset();

    EXPECT_TRUE(frmTransparency::HideMap());
    QCoreApplication::processEvents();
    EXPECT_FALSE(map->isVisible());
    frmTransparency::ShowMapAgain();
    EXPECT_TRUE(map->isVisible());
}

struct OutlineCase {
    const char* name;
    bool large;
    Pictures::Role picture;
};

class MapOutlineTest : public MapWindowTest, public ::testing::WithParamInterface<OutlineCase> {};

// The window shows exactly the picture: every opaque pixel inside the cut, every transparent
// one outside it, so clicks beside the drawing reach the windows below.
TEST_P(MapOutlineTest, RegionMatchesThePicturesAlpha) {
    const OutlineCase& c = GetParam();
    const QImage picture =
        Pictures::pixmap(c.picture, {}, 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
    const QRegion region = frmTransparency::RegionFromSpans(frmTransparency::SpanTable(c.large));
    const MapWindowSize size = MapWindowSizeFor(c.large);
    ASSERT_EQ(picture.size(), QSize(size.WidthPixels(), size.HeightPixels()));

    int inside = 0;
    int wrong = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const int alpha = qAlpha(picture.pixel(x, y));
            const bool in = region.contains(QPoint(x, y));
            inside += in ? 1 : 0;
            if (in ? alpha != 255 : alpha != 0)
                ++wrong;
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(inside, picture.width() * picture.height() / 2);
    EXPECT_FALSE(region.contains(QPoint(0, 0))) << "rounded corner";
    EXPECT_LT(region.boundingRect().right(), size.WidthPixels());
    // The windows are an odd number of rows high: the last entry's second row lies just
    // below the window, where the platform clips it.
    EXPECT_LE(region.boundingRect().bottom(), size.HeightPixels());

    Show(mainWindow.get(), {10, 100}, c.large);
    EXPECT_EQ(frmTransparency::Current()->mask(), region);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, MapOutlineTest,
    ::testing::Values(OutlineCase{"Normal", false, Pictures::Role::KeyMapNormal},
                      OutlineCase{"Large", true, Pictures::Role::KeyMapLarge}),
    [](const ::testing::TestParamInfo<OutlineCase>& p) { return std::string(p.param.name); });

} // namespace
