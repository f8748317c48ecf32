#include "tutor/ui/TimingProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

std::int64_t monotonicNanos() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

double percentile(std::vector<std::int64_t> values, double p) {
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const auto index = static_cast<size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return static_cast<double>(values[index]) / 1e6;
}

} // namespace

TimingProbe* TimingProbe::InstallIfRequested(QWidget* mainWindow) {
    const char* launch = std::getenv("ZENTAVO_TIMING");
    if (launch == nullptr || *launch == '\0')
        return nullptr;
    auto* probe = new TimingProbe(mainWindow, std::strtoll(launch, nullptr, 10));
    QCoreApplication::instance()->installEventFilter(probe);
    return probe;
}

TimingProbe::TimingProbe(QWidget* mainWindow, std::int64_t launchNanos)
    : QObject(mainWindow), m_window(mainWindow), m_launch(launchNanos) {}

TimingProbe::~TimingProbe() {
    report();
}

bool TimingProbe::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Expose:
        if (m_firstExpose < 0 && watched == m_window->windowHandle() &&
            m_window->windowHandle()->isExposed()) {
            m_firstExpose = monotonicNanos();
            timespec cpu{};
            clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
            std::fprintf(stderr, "timing: first-expose-ms %.2f cpu-ms %.2f\n",
                         static_cast<double>(m_firstExpose - m_launch) / 1e6,
                         static_cast<double>(cpu.tv_sec) * 1e3 +
                             static_cast<double>(cpu.tv_nsec) / 1e6);
        }
        break;
    case QEvent::KeyPress:
        if (m_pendingKey < 0)
            m_pendingKey = monotonicNanos();
        break;
    case QEvent::Paint:
        if (m_pendingKey >= 0) {
            m_keyToPaint.push_back(monotonicNanos() - m_pendingKey);
            m_pendingKey = -1;
            std::fprintf(stderr, "timing: key-to-paint-ms %.3f\n",
                         static_cast<double>(m_keyToPaint.back()) / 1e6);
        }
        break;
    default:
        break;
    }
    return false;
}

void TimingProbe::report() const {
    std::fprintf(stderr, "timing: key-to-paint-ms median %.3f p90 %.3f max %.3f samples %zu\n",
                 percentile(m_keyToPaint, 0.5), percentile(m_keyToPaint, 0.9),
                 percentile(m_keyToPaint, 1.0), m_keyToPaint.size());
}
