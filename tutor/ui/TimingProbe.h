#pragma once
// Measures what the tutor promises about its speed, for the measuring
// harness only: the time from process launch to the first exposure of the
// main window, and from each key press to the first repaint it causes. It is
// switched on by the launcher passing the launch moment (CLOCK_MONOTONIC
// nanoseconds) in ZENTAVO_TIMING; results go to stderr at exit.

#include <QObject>

#include <cstdint>
#include <vector>

class QWidget;

class TimingProbe : public QObject {
public:
    // Installs a probe on the application when the launcher asked for one;
    // nullptr otherwise.
    static TimingProbe* InstallIfRequested(QWidget* mainWindow);
    ~TimingProbe() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TimingProbe(QWidget* mainWindow, std::int64_t launchNanos);
    void report() const;

    QWidget* m_window;
    std::int64_t m_launch;
    std::int64_t m_firstExpose = -1;
    std::int64_t m_pendingKey = -1;
    std::vector<std::int64_t> m_keyToPaint;
};
