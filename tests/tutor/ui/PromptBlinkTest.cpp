// The Enter prompt of the start screen blinks for as long as the pupil
// waits; each blink must repaint the prompt's picture and nothing else of
// the window, or the waiting tutor keeps the processor and the display
// server busy.
#include "TutorTestEnvironment.h"

#include "tutor/ui/KeyboardView.h"

#include <QPaintEvent>

namespace {

// What the widgets of one window paint, in the window's coordinates.
class WindowPaints : public QObject {
public:
    explicit WindowPaints(QWidget* window) : m_window(window) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || !watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->window() == m_window) {
            ++paints;
            painted += static_cast<QPaintEvent*>(event)->region().translated(
                widget->mapTo(m_window, QPoint(0, 0)));
        }
        return false;
    }
    int paints = 0;
    QRegion painted;

private:
    QWidget* m_window;
};

class PromptBlink : public TutorWindowTest {};

TEST_F(PromptBlink, RepaintsOnlyThePromptsPicture) {
    ASSERT_NO_FATAL_FAILURE(Open());
    const KeyboardModel& keyboard = window->Keyboard();
    ASSERT_TRUE(keyboard.PromptTimerRunning());
    auto* view = Control<KeyboardView>(QStringLiteral("picKeyword"));
    // What the start screen itself changed reaches the screen first.
    const bool shown = keyboard.PromptImageVisible();
    ASSERT_TRUE(WaitUntil([&] { return keyboard.PromptImageVisible() != shown; }, 2000));
    QCoreApplication::processEvents();

    WindowPaints paints(window.get());
    qApp->installEventFilter(&paints);
    // One blink on and one off.
    ASSERT_TRUE(WaitUntil([&] { return keyboard.PromptImageVisible() == shown; }, 2000));
    ASSERT_TRUE(WaitUntil([&] { return paints.paints >= 1; }, 1000));
    ASSERT_TRUE(WaitUntil([&] { return keyboard.PromptImageVisible() != shown; }, 2000));
    ASSERT_TRUE(WaitUntil([&] { return paints.paints >= 2; }, 1000));
    qApp->removeEventFilter(&paints);

    const QRect prompt =
        view->PromptImageRectPixels().translated(view->mapTo(window.get(), QPoint(0, 0)));
    const QRect beyond = (paints.painted - prompt).boundingRect();
    EXPECT_TRUE(beyond.isEmpty()) << "also painted: " << beyond.x() << "," << beyond.y() << " "
                                  << beyond.width() << "x" << beyond.height();
    // Each blink is one paint of the keyboard alone.
    EXPECT_EQ(paints.paints, 2);
}

} // namespace
