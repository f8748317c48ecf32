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

// Where the pixels inside a frame differ from the background, and how much.
struct Ink {
    QRect box;
    int darkness = 0;
};
Ink InkOf(const QImage& image, QColor background) {
    Ink ink;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    // Inside the two-pixel frame.
    for (int y = 2; y < rgb.height() - 2; ++y) {
        for (int x = 2; x < rgb.width() - 2; ++x) {
            const QRgb p = rgb.pixel(x, y);
            const int apart = std::abs(qRed(p) - background.red()) +
                              std::abs(qGreen(p) - background.green()) +
                              std::abs(qBlue(p) - background.blue());
            if (apart > 3 * kBlendRounding) {
                ink.box |= QRect(x, y, 1, 1);
                ink.darkness += apart;
            }
        }
    }
    return ink;
}

// A counter draws its characters from pictures; it must show what the
// label it replaces shows, frame and centring included.
TEST(Counter, ShowsWhatALabelShows) {
    const auto dress = [](QLabel& label, const QString& text) {
        label.resize(72, 23);
        QFont font(QStringLiteral("Arial"));
        font.setPointSize(10);
        font.setBold(true);
        label.setFont(font);
        label.setAlignment(Qt::AlignCenter);
        label.setAutoFillBackground(true);
        QPalette palette = label.palette();
        palette.setColor(QPalette::Window, QColor(214, 245, 214));
        palette.setColor(QPalette::WindowText, QColor(20, 110, 30));
        label.setPalette(palette);
        label.setFrameShape(QFrame::Panel);
        label.setFrameShadow(QFrame::Sunken);
        label.setText(text);
    };
    for (const QString& text : {QStringLiteral("0/0"), QStringLiteral("17/345"),
                                QStringLiteral("9/1024"), QStringLiteral("1 - 1")}) {
        SCOPED_TRACE(text.toStdString());
        CounterLabel counter(nullptr);
        QLabel label;
        dress(counter, text);
        dress(label, text);
        // Whole pixels where the label lays text out in fractions of one:
        // the ink may sit a pixel apart, no more, and be as much.
        const QImage shown = counter.grab().toImage();
        const QImage wanted = label.grab().toImage();
        // The sunken frame, exactly.
        const QRect inner = shown.rect().adjusted(2, 2, -2, -2);
        for (const QRect& strip :
             {QRect(0, 0, shown.width(), 2), QRect(0, inner.bottom() + 1, shown.width(), 2),
              QRect(0, 0, 2, shown.height()), QRect(inner.right() + 1, 0, 2, shown.height())})
            EXPECT_EQ(differences(shown.copy(strip), wanted.copy(strip)), 0);
        const Ink drawn = InkOf(shown, QColor(214, 245, 214));
        const Ink expected = InkOf(wanted, QColor(214, 245, 214));
        ASSERT_FALSE(expected.box.isEmpty());
        EXPECT_LE(std::abs(drawn.box.left() - expected.box.left()), 1);
        EXPECT_LE(std::abs(drawn.box.right() - expected.box.right()), 1);
        EXPECT_LE(std::abs(drawn.box.top() - expected.box.top()), 1);
        EXPECT_LE(std::abs(drawn.box.bottom() - expected.box.bottom()), 1);
        EXPECT_NEAR(drawn.darkness, expected.darkness, expected.darkness / 10);
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
