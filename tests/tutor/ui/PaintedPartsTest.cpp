// The sheet, the sentence and the input box repaint only what a keystroke
// changes, from pictures drawn beforehand. What reaches the screen that way
// must be what painting everything afresh shows.
#include "tutor/ui/KeyboardView.h"
#include "tutor/ui/ZentavoWidgets.h"

#include <QPainter>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>

namespace {

constexpr int kFrameWait = 50;
constexpr int kBlendRounding = 2;

// The pixels of two pictures of the same size with a colour component
// further apart than `tolerance`.
int differences(const QImage& a, const QImage& b, int tolerance = 0) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    if (x.size() != y.size())
        return -1;
    int count = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            const int apart = std::max({std::abs(qRed(p[col]) - qRed(q[col])),
                                        std::abs(qGreen(p[col]) - qGreen(q[col])),
                                        std::abs(qBlue(p[col]) - qBlue(q[col]))});
            count += apart > tolerance ? 1 : 0;
        }
    }
    return count;
}

// The input box is drawn from its corners and plain fills; it must look
// like the antialiased rounded box drawn whole. Its corners are blended
// onto the sheet as a picture, which may round a component by a step or two.
TEST(InputBoxFace, IsTheRoundedBoxDrawnWhole) {
    struct Case {
        const char* name;
        bool locked;
        bool flash;
        QColor fill;
    };
    const Case cases[] = {
        {"locked", true, false, InputBox::kNormal.lighter(112)},
        {"typing", false, false, InputBox::kNormal},
        {"wrong key", false, true, InputBox::kFlash},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InputBox box(nullptr);
        box.resize(620, 40);
        box.SetLocked(c.locked);
        if (c.flash)
            box.Flash();
        QImage shown(box.size(), QImage::Format_ARGB32_Premultiplied);
        shown.fill(Qt::white);
        box.render(&shown, QPoint(), QRegion(), QWidget::RenderFlags());

        QImage whole(box.size(), QImage::Format_ARGB32_Premultiplied);
        whole.fill(Qt::white);
        QPainter p(&whole);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(70, 110, 150), 1));
        p.setBrush(c.fill);
        p.drawRoundedRect(QRectF(whole.rect()).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
        p.end();
        EXPECT_EQ(differences(shown, whole, kBlendRounding), 0);
    }
}

// The sentence keeps its lines laid out between repaints; they must show as
// the text drawn line by line does, left-aligned or centred.
TEST(SentenceText, IsTheTextDrawnLineByLine) {
    for (const bool centred : {false, true}) {
        SCOPED_TRACE(centred);
        SentenceDisplay sentence(nullptr);
        sentence.resize(620, 64);
        sentence.SetText(QStringLiteral("Perch\u00e9 il cielo \u00e8 azzurro?\nLo chiede Anna."),
                         centred);
        QImage shown(sentence.size(), QImage::Format_ARGB32_Premultiplied);
        shown.fill(Qt::white);
        sentence.render(&shown, QPoint(), QRegion(), QWidget::RenderFlags());

        QImage drawn(sentence.size(), QImage::Format_ARGB32_Premultiplied);
        drawn.fill(Qt::white);
        QPainter p(&drawn);
        p.setFont(sentence.font());
        p.setPen(sentence.palette().color(QPalette::WindowText));
        const QFontMetrics metrics(sentence.font());
        int y = metrics.ascent() + 1;
        for (const QString& line : sentence.Text().split(QLatin1Char('\n'))) {
            const int x = centred ? (sentence.width() - metrics.horizontalAdvance(line)) / 2 : 0;
            p.drawText(x, y, line);
            y += sentence.LineHeight();
        }
        p.end();
        EXPECT_EQ(differences(shown, drawn), 0);
    }
}

// The parts of the main window a keystroke changes, as the window lays them out.
class TypingOnTheSheet : public testing::Test {
protected:
    void SetUp() override {
        window.resize(660, 200);
        sheet.setGeometry(8, 10, 628, 178);
        sentence.setGeometry(4, 8, 620, 64);
        box.setGeometry(4, 78, 620, 40);
        sentence.SetText(QStringLiteral("il fiume scorre\nsotto il ponte"), false);
        box.SetLocked(false);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        box.setFocus();
        QTest::qWait(kFrameWait);
    }

    // What the window shows now, painted piece by piece as the keys came,
    // and what painting it all afresh shows.
    int differencesFromAFreshPaint() {
        QTest::qWait(kFrameWait);
        const QImage onScreen = window.screen()->grabWindow(window.winId()).toImage();
        const QImage fresh = window.grab().toImage();
        return differences(onScreen, fresh);
    }

    QWidget window;
    PaperPanel sheet{QStringLiteral("picDisplay"), &window};
    SentenceDisplay sentence{&sheet};
    InputBox box{&sheet};
};

TEST_F(TypingOnTheSheet, ShowsWhatAFreshPaintShows) {
    const QString text = QStringLiteral("il fiume scorre\nsotto");
    for (int typed = 1; typed <= text.size(); ++typed) {
        const QString input = text.left(typed);
        const QStringList lines = input.split(QLatin1Char('\n'));
        sentence.SetTypedPart(static_cast<int>(lines.size()) - 1, lines.back(), Qt::blue);
        box.SetText(input);
        ASSERT_EQ(differencesFromAFreshPaint(), 0) << "after " << input.toStdString();
    }
    // A wrong keystroke blinks the box, which ends in its own colour.
    box.Flash();
    EXPECT_EQ(differencesFromAFreshPaint(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !box.Flashing(); }));
    EXPECT_EQ(differencesFromAFreshPaint(), 0);
}

// A keystroke repaints the end of the typed line, not the whole box.
TEST_F(TypingOnTheSheet, AKeystrokeRepaintsLittleOfTheBox) {
    box.SetText(QStringLiteral("il fiume"));
    QTest::qWait(kFrameWait);
    struct Recorder : QObject {
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint)
                painted += static_cast<QPaintEvent*>(e)->region();
            return false;
        }
        QRegion painted;
    } recorder;
    box.installEventFilter(&recorder);
    box.SetText(QStringLiteral("il fiume "));
    QTest::qWait(kFrameWait);
    box.removeEventFilter(&recorder);
    const QRect painted = recorder.painted.boundingRect();
    ASSERT_FALSE(painted.isEmpty());
    EXPECT_LT(painted.width(), box.width() / 8);
    EXPECT_GT(painted.left(), box.fontMetrics().horizontalAdvance(QStringLiteral("il fium")));
}

// The keyboard repaints the keys a keystroke sinks and raises, with the
// frames that darken what lies under them, rectangle by rectangle.
TEST(KeyboardKeystrokes, ShowWhatAFreshPaintShows) {
    KeyboardModel model;
    model.LoadOptions(true, true, KeySplit::Classic);
    model.MarkSentenceRunning();
    KeyboardView view(model);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    const QString typed = QStringLiteral("Sa ,Lm[Z");
    KeyboardChanges changes;
    for (int i = 0; i < typed.size(); ++i) {
        model.HighlightNextKey(typed.at(i).toLatin1());
        changes.Clear();
        model.TakeChanges(changes);
        view.AreasChanged(changes.areas);
        QTest::qWait(kFrameWait);
        const QImage onScreen = view.screen()->grabWindow(view.winId()).toImage();
        ASSERT_EQ(differences(onScreen, view.grab().toImage()), 0) << "at " << i;
    }
}

// The prompt blinks over a copy of the keys under it; that copy must follow
// the keys when they change between blinks.
TEST(EnterPrompt, BlinksOverTheKeysAsTheyAreNow) {
    KeyboardModel model;
    model.LoadOptions(true, true, KeySplit::Classic);
    model.FlashBotton();
    KeyboardView view(model);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    KeyboardChanges changes;
    const auto publish = [&] {
        changes.Clear();
        model.TakeChanges(changes);
        view.AreasChanged(changes.areas);
    };
    // A key beside the prompt, whose highlight frame darkens what lies
    // under the prompt's picture.
    const auto framedUnderPrompt = [&](char c) {
        model.HighlightNextKey(c);
        publish();
        for (int frame = 0; frame < KeyboardModel::kFrameCount; ++frame) {
            if (model.FrameVisible(frame) &&
                view.ToPixels(model.FrameRect(frame)).intersects(view.PromptImageRectPixels()))
                return true;
        }
        return false;
    };
    char beside = 0;
    for (const char c : std::string("\r\n+*\xF9\xE0\xE8"))
        if (beside == 0 && framedUnderPrompt(c))
            beside = c;
    ASSERT_NE(beside, 0);
    const std::function<void()> steps[] = {
        [&] { model.PromptTick(); },
        [&] { model.HighlightNextKey('a'); },
        [&] { model.PromptTick(); },
        [&] { model.PromptTick(); },
        [&] { model.HighlightNextKey(beside); },
        [&] { model.PromptTick(); },
        [&] { model.PromptTick(); },
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        steps[i]();
        publish();
        QTest::qWait(kFrameWait);
        const QImage onScreen = view.screen()->grabWindow(view.winId()).toImage();
        ASSERT_EQ(differences(onScreen, view.grab().toImage()), 0) << "at step " << i;
    }
}

} // namespace
