#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// A desktop logout (SIGTERM), a closed terminal (SIGHUP) or Ctrl+C (SIGINT)
// ends a program as closing its main window does, so that what a close
// saves is saved. The signal handler only writes the signal's number into a
// socket; the call happens on the Qt event loop, where a socket notifier
// reads it. A second such signal while the first is handled ends the
// program at once, as if it had no handler.
class TerminationSignals : public QObject {
public:
    explicit TerminationSignals(std::function<void(int signal)> onSignal,
                                QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // False when the socket or the handlers could not be set up; the
    // program then ends on these signals as it would without them.
    bool IsActive() const { return m_active; }

private:
    void readSignal();

    std::function<void(int)> m_onSignal;
    QSocketNotifier* m_notifier = nullptr;
    bool m_active = false;
};
