#include "cli/stop_signals.h"

#include "text/error.h"

#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace parlumo {

namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The pair's write end takes one byte per signal; the handler may do nothing else.
int pipeEnds[2] = {-1, -1};

extern "C" void onStopSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[0], &byte, 1);
}

void handleWith(void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kStopSignals)
        ::sigaction(signal, &action, nullptr);
}

} // namespace

StopSignals::StopSignals(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, pipeEnds) != 0)
        throw Error(QStringLiteral("cannot watch for stop signals"));
    notifier_ = new QSocketNotifier(pipeEnds[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char byte;
        [[maybe_unused]] const ssize_t read = ::read(pipeEnds[1], &byte, 1);
        Q_EMIT stopRequested();
    });
    handleWith(onStopSignal);
}

StopSignals::~StopSignals() {
    handleWith(SIG_DFL);
    delete notifier_;
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

} // namespace parlumo
