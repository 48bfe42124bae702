#include "window/TerminationSignals.h"

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace quantrel::gui {

#ifdef Q_OS_UNIX

namespace {

// The pipe's two ends; the handler may touch nothing else.
int g_pipe[2] = {-1, -1};

extern "C" void onSignal(int signal) {
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const auto written = ::write(g_pipe[1], &byte, 1);
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_pipe) != 0)
        return;
    for (const int end : g_pipe)
        ::fcntl(end, F_SETFD, FD_CLOEXEC);
    ::fcntl(g_pipe[1], F_SETFL, O_NONBLOCK);
    m_notifier = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        if (::read(g_pipe[0], &byte, 1) == 1)
            emit Received(static_cast<unsigned char>(byte));
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
    m_notifier.reset();
    for (int& end : g_pipe) {
        if (end >= 0)
            ::close(end);
        end = -1;
    }
}

#else

// Elsewhere the session's end (commitDataRequest) is what stores the settings.
TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {}
TerminationSignals::~TerminationSignals() = default;

#endif

} // namespace quantrel::gui
