#include "tutor/ui/KeyboardView.h"

#include <QImage>
#include <QPaintEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

QRgb rgbOf(Colour c) {
    return qRgb(c.red, c.green, c.blue);
}

Colour masked(Colour key, Colour mask) {
    return Colour::FromStored(key.Stored() & mask.Stored());
}

// Records the region of every paint the view receives.
class PaintRecorder : public QObject {
public:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
    QRegion painted;
};

class KeyboardViewTest : public testing::Test {
protected:
    QImage picture() { return view.grab().toImage(); }
    QRgb at(const QPoint& p) { return picture().pixel(p) & 0xFFFFFF; }

    KeyboardModel model;
    KeyboardView view{model};
};

TEST_F(KeyboardViewTest, RaisedKeysAreLitFromTheTopLeft) {
    const QRect a = view.KeyRectPixels(10);
    const Colour base = model.KeyColour(10);
    for (int ring = 0; ring <= model.BevelWidth(); ++ring) {
        SCOPED_TRACE(ring);
        EXPECT_EQ(at({a.left() - ring - 1, a.center().y()}) & 0xFFFFFF,
                  rgbOf(LightBevelOf(base)) & 0xFFFFFF);
        EXPECT_EQ(at({a.center().x(), a.top() - ring - 1}), rgbOf(LightBevelOf(base)) & 0xFFFFFF);
        EXPECT_EQ(at({a.right() + 1 + ring, a.center().y()}), rgbOf(DarkBevelOf(base)) & 0xFFFFFF);
        EXPECT_EQ(at({a.center().x(), a.bottom() + 1 + ring}), rgbOf(DarkBevelOf(base)) & 0xFFFFFF);
    }
    // beyond the last ring lies the plate, not a bevel
    EXPECT_NE(at({a.left() - model.BevelWidth() - 2, a.center().y()}),
              rgbOf(LightBevelOf(base)) & 0xFFFFFF);
}

TEST_F(KeyboardViewTest, SunkenKeysSwapTheBevel) {
    model.HighlightNextKey('a');
    const QRect a = view.KeyRectPixels(10);
    const Colour base = model.KeyColour(10);
    EXPECT_EQ(at({a.left() - 1, a.center().y()}), rgbOf(DarkBevelOf(base)) & 0xFFFFFF);
    EXPECT_EQ(at({a.right() + 1, a.center().y()}), rgbOf(LightBevelOf(base)) & 0xFFFFFF);
}

TEST_F(KeyboardViewTest, HighlightFramesDarkenByMasking) {
    model.LoadOptions(true, true, KeySplit::Classic);
    model.HighlightNextKey('A');
    const QRect shift = view.KeyRectPixels(36);
    const Colour base = model.KeyColour(36);
    // a point of the right Shift clear of its arrow symbol
    EXPECT_EQ(at({shift.right() - 6, shift.center().y()}),
              rgbOf(masked(base, kHighlightFrameFill)) & 0xFFFFFF);
    EXPECT_EQ(at({shift.right(), shift.center().y()}),
              rgbOf(masked(base, kHighlightFrameBorder)) & 0xFFFFFF);
    // the key beside it keeps its own colour
    const QRect minus = view.KeyRectPixels(53);
    EXPECT_EQ(at({minus.right() - 3, minus.bottom() - 3}), rgbOf(model.KeyColour(53)) & 0xFFFFFF);
}

TEST_F(KeyboardViewTest, EnterShowsAsOneLShapedKey) {
    model.LoadOptions(false, true, KeySplit::Classic);
    const QRect upper = view.KeyRectPixels(62);
    const QRect lower = view.KeyRectPixels(48);
    ASSERT_EQ(upper.bottom() + 1, lower.top());
    const QRgb cap = rgbOf(model.KeyColour(48)) & 0xFFFFFF;
    // no bevel line where the two parts meet
    for (int y = upper.bottom() - 4; y <= lower.top() + 4; ++y)
        ASSERT_EQ(at({lower.center().x(), y}), cap) << "row " << y;
}

TEST_F(KeyboardViewTest, EveryKeyIsFoundAtItsCentre) {
    for (int key = 0; key < KeyTable::kKeyCount; ++key)
        ASSERT_EQ(view.KeyAt(view.KeyRectPixels(key).center()), key);
    EXPECT_EQ(view.KeyAt({1, 1}), -1);
}

TEST_F(KeyboardViewTest, DesignSizeMapsTwipsToPixelsByFifteen) {
    EXPECT_EQ(view.size(), QSize(KeyboardView::kDesignWidth, KeyboardView::kDesignHeight));
    EXPECT_EQ(view.KeyRectPixels(52), QRect(4, 5, 29, 33));
    EXPECT_EQ(view.KeyRectPixels(48), QRect(535, 80, 53, 42));
    // the bevel of the outermost keys stays inside the picture
    const QRect rightmost = view.KeyRectPixels(47);
    EXPECT_LT(rightmost.right() + 1 + model.BevelWidth(), view.width());
    EXPECT_LT(rightmost.bottom() + 1 + model.BevelWidth(), view.height());
}

TEST(KeyboardViewLarge, ScalesKeysAndWidensTheBevel) {
    KeyboardModel model(true);
    KeyboardView view(model);
    view.resize(qRound(KeyboardView::kDesignWidth * 1.41),
                qRound(KeyboardView::kDesignHeight * 1.31));
    const QRect a = view.KeyRectPixels(10);
    EXPECT_NEAR(a.width(), 29 * 1.41, 1.0);
    EXPECT_NEAR(a.height(), 33 * 1.31, 1.0);
    const QImage image = view.grab().toImage();
    const QRgb light = rgbOf(LightBevelOf(model.KeyColour(10))) & 0xFFFFFF;
    EXPECT_EQ(image.pixel(a.left() - 5, a.center().y()) & 0xFFFFFF, light);
}

// The finger pictures keep their 32 pixels; on the normal layout they
// overhang their home keys by 4 pixels right and down, on the enlarged one
// they end on the key's corner, and the two on the space bar sit on its ends.
TEST(KeyboardViewFingerImages, SitOnTheirKeysOnBothLayouts) {
    struct Case {
        double fx, fy;
        int overhang;
    };
    for (const Case c : {Case{1.0, 1.0, 4}, Case{1.41, 1.31, 0}}) {
        SCOPED_TRACE(c.fx);
        KeyboardModel model(c.fx > 1.0);
        KeyboardView view(model);
        view.resize(qRound(KeyboardView::kDesignWidth * c.fx),
                    qRound(KeyboardView::kDesignHeight * c.fy));
        const int homeKeys[] = {10, 11, 12, 13, 16, 17, 18, 19};
        for (int image = 0; image < 8; ++image) {
            const QRect key = view.KeyRectPixels(homeKeys[image]);
            const QRect picture = view.FingerImageRectPixels(image);
            EXPECT_EQ(picture.size(), QSize(32, 32)) << image;
            EXPECT_NEAR(picture.right(), key.right() + c.overhang, 1) << image;
            EXPECT_NEAR(picture.bottom(), key.bottom() + c.overhang, 1) << image;
        }
        const QRect space = view.KeyRectPixels(KeyTable::kSpaceKey);
        EXPECT_NEAR(view.FingerImageRectPixels(8).left(), space.left(), 1);
        EXPECT_NEAR(view.FingerImageRectPixels(9).right(), space.right(), 1);
        EXPECT_NEAR(view.FingerImageRectPixels(9).bottom(), space.bottom(), 1);
    }
}

TEST_F(KeyboardViewTest, DoubleClicksGoOutAsSignals) {
    QSignalSpy keys(&view, &KeyboardView::keyDoubleClicked);
    QSignalSpy images(&view, &KeyboardView::fingerImageDoubleClicked);
    QTest::mouseDClick(&view, Qt::LeftButton, {}, view.KeyRectPixels(25).center());
    ASSERT_EQ(keys.count(), 1);
    EXPECT_EQ(keys.at(0).at(0).toInt(), 25);
    // finger images answer only while they are shown
    const QPoint onImage = view.FingerImageRectPixels(3).center();
    QTest::mouseDClick(&view, Qt::LeftButton, {}, onImage);
    EXPECT_EQ(images.count(), 0);
    model.ShowFingerImages(true);
    QTest::mouseDClick(&view, Qt::LeftButton, {}, onImage);
    EXPECT_EQ(images.count(), 1);
    EXPECT_EQ(keys.count(), 2);
}

TEST_F(KeyboardViewTest, RepaintsOnlyTheKeysThatChanged) {
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    model.MarkSentenceRunning();
    model.HighlightNextKey('a');
    KeyboardChanges changes;
    model.TakeChanges(changes);
    view.AreasChanged(changes.areas);
    QCoreApplication::processEvents();
    PaintRecorder recorder;
    view.installEventFilter(&recorder);
    model.HighlightNextKey('s');
    changes.Clear();
    model.TakeChanges(changes);
    view.AreasChanged(changes.areas);
    QTRY_VERIFY(!recorder.painted.isEmpty());
    const QRegion allowed =
        QRegion(view.ToPixels(model.KeyAreaWithBevel(10)).adjusted(-1, -1, 1, 1)) +
        view.ToPixels(model.KeyAreaWithBevel(11)).adjusted(-1, -1, 1, 1);
    EXPECT_TRUE((recorder.painted - allowed).isEmpty());
    EXPECT_FALSE(recorder.painted.intersects(view.KeyRectPixels(13)));
}

// Each key's cap is drawn once and copied afterwards; a change of what a cap
// shows must draw it again. A view that paints everything for the first time
// shows what the cached view must show.
class KeyboardViewCapsTest : public KeyboardViewTest {
protected:
    void SetUp() override {
        view.resize(KeyboardView::kDesignWidth, KeyboardView::kDesignHeight);
        (void)picture(); // every cap drawn and kept
    }
    // The same operations on a fresh model and a fresh view.
    QImage freshPicture(const std::function<void(KeyboardModel&, KeyboardView&)>& steps) {
        KeyboardModel freshModel;
        KeyboardView freshView(freshModel);
        steps(freshModel, freshView);
        return freshView.grab().toImage();
    }
};

TEST_F(KeyboardViewCapsTest, FingerColoursRedrawTheCaps) {
    model.LoadOptions(false, true, KeySplit::Classic);
    const QImage coloured = picture();
    EXPECT_EQ(coloured, freshPicture([](KeyboardModel& m, KeyboardView&) {
                  m.LoadOptions(false, true, KeySplit::Classic);
              }));
    // key Z changes its finger, so its colour
    ASSERT_TRUE(model.KeyDoubleClicked(25, std::nullopt));
    EXPECT_NE(picture(), coloured);
    EXPECT_EQ(picture(), freshPicture([](KeyboardModel& m, KeyboardView&) {
                  m.LoadOptions(false, true, KeySplit::Ergonomic);
                  m.DrawKeyBevel(KeyTable::kEnterKey, false);
                  m.DrawKeyBevel(KeyTable::kEnterUpperKey, false);
              }));
}

TEST_F(KeyboardViewCapsTest, TheBoldEnterCaptionIsDrawnAgain) {
    model.FlashBotton();
    const QImage prompt = picture();
    EXPECT_EQ(prompt, freshPicture([](KeyboardModel& m, KeyboardView&) { m.FlashBotton(); }));
    model.MarkSentenceRunning();
    model.PromptTick();
    EXPECT_NE(picture(), prompt);
    EXPECT_EQ(picture(), freshPicture([](KeyboardModel& m, KeyboardView&) {
                  m.FlashBotton();
                  m.MarkSentenceRunning();
                  m.PromptTick();
              }));
}

TEST_F(KeyboardViewCapsTest, AnotherFontScaleRedrawsTheCaptions) {
    const QImage before = picture();
    view.SetFontScale(1.3);
    EXPECT_NE(picture(), before);
    EXPECT_EQ(picture(),
              freshPicture([](KeyboardModel&, KeyboardView& v) { v.SetFontScale(1.3); }));
}

TEST_F(KeyboardViewCapsTest, AnotherSizeRedrawsTheCaps) {
    const QSize larger(qRound(KeyboardView::kDesignWidth * 1.25),
                       qRound(KeyboardView::kDesignHeight * 1.25));
    view.resize(larger);
    EXPECT_EQ(picture(),
              freshPicture([larger](KeyboardModel&, KeyboardView& v) { v.resize(larger); }));
}

TEST_F(KeyboardViewCapsTest, AnotherTextColourRedrawsTheCaptions) {
    const QImage before = picture();
    QPalette red = view.palette();
    red.setColor(QPalette::WindowText, Qt::red);
    view.setPalette(red);
    EXPECT_NE(picture(), before);
    EXPECT_EQ(picture(),
              freshPicture([&red](KeyboardModel&, KeyboardView& v) { v.setPalette(red); }));
}

} // namespace
