#include "termination_signals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>

namespace {

constexpr std::array kCaught{SIGTERM, SIGINT, SIGHUP};

volatile std::sig_atomic_t g_writeFd = -1;

extern "C" void OnTerminationSignal(int signalNumber) {
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    // A full pipe only means an earlier signal is still unread; that one is enough.
    [[maybe_unused]] const auto written = ::write(g_writeFd, &byte, 1);
    errno = savedErrno;
}

void SetHandler(int signalNumber, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(signalNumber, &action, nullptr);
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    int ends[2] = {-1, -1};
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, ends) != 0)
        return;
    m_readEnd = UniqueFd(ends[0]);
    m_writeEnd = UniqueFd(ends[1]);
    g_writeFd = m_writeEnd.Get();

    m_pNotifier = new QSocketNotifier(m_readEnd.Get(), QSocketNotifier::Read, this);
    connect(m_pNotifier, &QSocketNotifier::activated, this, &TerminationSignals::Drain);
    for (int signalNumber : kCaught)
        SetHandler(signalNumber, OnTerminationSignal);
}

TerminationSignals::~TerminationSignals() {
    if (!m_writeEnd.IsValid())
        return;
    for (int signalNumber : kCaught)
        SetHandler(signalNumber, SIG_DFL);
    g_writeFd = -1;
}

void TerminationSignals::Drain() {
    unsigned char byte = 0;
    while (::read(m_readEnd.Get(), &byte, 1) == 1)
        emit Received(byte);
}
