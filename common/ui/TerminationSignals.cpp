#include "common/ui/TerminationSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 3> kSignals = {SIGTERM, SIGINT, SIGHUP};

// One set per process: signal handlers are process-wide.
int g_sockets[2] = {-1, -1};
volatile std::sig_atomic_t g_received = 0;
std::array<struct sigaction, kSignals.size()> g_previous{};

extern "C" void OnTerminationSignal(int signal) {
    if (g_received != 0) {
        // The first signal is being handled and another came: the user
        // insists, and the program ends as it would without a handler.
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    g_received = 1;
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    // The socket does not block; a full socket already holds a wake-up.
    [[maybe_unused]] const ssize_t written = ::write(g_sockets[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void(int)> onSignal, QObject* parent)
    : QObject(parent), m_onSignal(std::move(onSignal)) {
    if (g_sockets[0] >= 0)
        return; // one instance per process
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_sockets) != 0) {
        g_sockets[0] = g_sockets[1] = -1;
        return;
    }
    g_received = 0;
    m_notifier = new QSocketNotifier(g_sockets[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readSignal);
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    m_active = true;
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        if (::sigaction(kSignals[i], &action, &g_previous[i]) != 0)
            m_active = false;
    }
}

TerminationSignals::~TerminationSignals() {
    if (m_notifier == nullptr)
        return;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &g_previous[i], nullptr);
    delete m_notifier;
    ::close(g_sockets[0]);
    ::close(g_sockets[1]);
    g_sockets[0] = g_sockets[1] = -1;
    g_received = 0;
}

void TerminationSignals::readSignal() {
    unsigned char byte = 0;
    if (::read(g_sockets[0], &byte, 1) != 1)
        return;
    m_notifier->setEnabled(false);
    if (m_onSignal)
        m_onSignal(byte);
}
