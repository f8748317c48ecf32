#include "tutor/ui/TimedSequence.h"

#include <QApplication>

#include <cmath>

namespace {

// How often a step that waits for a modal window looks again.
constexpr int kModalRetryMs = 50;

} // namespace

TimedSequence::TimedSequence(QObject* parent, double pace) : QObject(parent), m_pace(pace) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TimedSequence::RunNext);
}

void TimedSequence::Start(std::vector<Step> steps) {
    Cancel();
    m_steps = std::move(steps);
    m_next = 0;
    Schedule();
}

void TimedSequence::Cancel() {
    m_timer.stop();
    m_steps.clear();
    m_next = 0;
    m_held = false;
}

std::string TimedSequence::NextStep() const {
    return Running() ? m_steps[m_next].name : std::string();
}

void TimedSequence::Resume() {
    if (!m_held)
        return;
    m_held = false;
    m_timer.start(0);
}

void TimedSequence::Schedule() {
    if (!Running())
        return;
    if (!m_hold.empty() && m_steps[m_next].name == m_hold) {
        m_hold.clear();
        m_held = true;
        return;
    }
    const int delay = static_cast<int>(std::lround(m_steps[m_next].delayMs * m_pace));
    m_timer.start(delay);
}

void TimedSequence::RunNext() {
    if (!Running())
        return;
    if (QApplication::activeModalWidget() != nullptr) {
        m_timer.start(kModalRetryMs);
        return;
    }
    // The step may start another sequence or cancel this one: it is taken
    // off the list before it runs.
    const std::function<void()> action = m_steps[m_next].action;
    ++m_next;
    if (action)
        action();
    if (!m_timer.isActive() && !m_held)
        Schedule();
}
