#include "platform/close_signals.h"

#include <QSocketNotifier>

#include <atomic>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace tellwick {

namespace {

constexpr int closingSignals[] = {SIGTERM, SIGINT, SIGHUP};

int pipeEnds[2] = {-1, -1};
std::atomic<int> signalled{0};

// Only async-signal-safe calls here: the signal's number, and one byte that wakes whoever waits.
void onSignal(int signal) {
    signalled.store(signal);
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
}

} // namespace

CloseSignals::CloseSignals(QObject* parent) : QObject(parent) {
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(pipeEnds[0], bytes, sizeof bytes) > 0) {
        }
        emit arrived();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : closingSignals)
        sigaction(signal, &action, nullptr);
}

CloseSignals::~CloseSignals() {
    for (const int signal : closingSignals)
        std::signal(signal, SIG_DFL);
}

bool CloseSignals::received() {
    return signalled.load() != 0;
}

int CloseSignals::exitStatus() {
    return 128 + signalled.load();
}

int CloseSignals::wakeDescriptor() {
    return pipeEnds[0];
}

} // namespace tellwick
