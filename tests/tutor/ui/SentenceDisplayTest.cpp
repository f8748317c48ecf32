#include "tutor/ui/ZentavoWidgets.h"

#include <QEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int kFrameWait = 100;

class PaintCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
    int paints = 0;
};

class SentenceDisplayTest : public testing::Test {
protected:
    void SetUp() override {
        window.resize(400, 100);
        display.setGeometry(10, 10, 380, 80);
        display.SetText(QStringLiteral("il gatto dorme"), false);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        display.SetTypedPart(0, QStringLiteral("i"), Qt::blue);
        // Updates wait for the window's next frame.
        QTest::qWait(kFrameWait);
        display.Bar()->installEventFilter(&counter);
    }

    QWidget window;
    SentenceDisplay display{&window};
    PaintCounter counter;
};

// The marker of a keystroke is painted before the keystroke's handler
// returns, not when the event loop next gets round to it.
TEST_F(SentenceDisplayTest, AGrowingMarkerIsPaintedAtOnce) {
    display.SetTypedPart(0, QStringLiteral("il"), Qt::blue);
    EXPECT_EQ(counter.paints, 1);
    EXPECT_EQ(display.Bar()->width(),
              display.fontMetrics().horizontalAdvance(QStringLiteral("il")));
}

TEST_F(SentenceDisplayTest, TheMarkerOnTheNextLineIsPaintedAtOnce) {
    display.SetTypedPart(1, QStringLiteral("e"), Qt::blue);
    EXPECT_EQ(counter.paints, 1);
    EXPECT_EQ(display.Bar()->y(), display.LineHeight());
}

TEST_F(SentenceDisplayTest, AnUnchangedMarkerPaintsNothing) {
    display.SetTypedPart(0, QStringLiteral("i"), Qt::blue);
    QTest::qWait(kFrameWait);
    EXPECT_EQ(counter.paints, 0);
}

} // namespace
