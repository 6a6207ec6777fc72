#include "LinuxSystemEvents.h"

#include <fcntl.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <ctime>
#include <limits>

namespace telmora {
namespace {

int gSignalWriteFd = -1;

void onPosixSignal(int) {
    const int saved = errno;
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(gSignalWriteFd, &c, 1);
    errno = saved;
}

long long millis(clockid_t clock) {
    timespec ts{};
    ::clock_gettime(clock, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000 + ts.tv_nsec / 1'000'000;
}

long long wallMinusBoot() {
    return millis(CLOCK_REALTIME) - millis(CLOCK_BOOTTIME);
}

}  // namespace

LinuxSystemEvents::LinuxSystemEvents(QObject* parent) : ISystemEvents(parent) {
    if (::pipe2(signalPipe_, O_CLOEXEC | O_NONBLOCK) == 0) {
        gSignalWriteFd = signalPipe_[1];
        struct sigaction sa {};
        sa.sa_handler = onPosixSignal;
        sigemptyset(&sa.sa_mask);
        sa.sa_flags = SA_RESTART;
        ::sigaction(SIGTERM, &sa, nullptr);
        ::sigaction(SIGHUP, &sa, nullptr);
        signalNotifier_ = new QSocketNotifier(signalPipe_[0], QSocketNotifier::Read, this);
        connect(signalNotifier_, &QSocketNotifier::activated, this, &LinuxSystemEvents::onSignal);
    }
    clockFd_ = ::timerfd_create(CLOCK_REALTIME, TFD_CLOEXEC | TFD_NONBLOCK);
    if (clockFd_ >= 0) {
        armClockWatch();
        clockNotifier_ = new QSocketNotifier(clockFd_, QSocketNotifier::Read, this);
        connect(clockNotifier_, &QSocketNotifier::activated, this, &LinuxSystemEvents::onClockFd);
    }
}

LinuxSystemEvents::~LinuxSystemEvents() {
    if (signalPipe_[0] >= 0) {
        ::signal(SIGTERM, SIG_DFL);
        ::signal(SIGHUP, SIG_DFL);
        gSignalWriteFd = -1;
        ::close(signalPipe_[0]);
        ::close(signalPipe_[1]);
    }
    if (clockFd_ >= 0) ::close(clockFd_);
}

// An absolute timer far in the future that the kernel cancels whenever the clock is set.
void LinuxSystemEvents::armClockWatch() {
    itimerspec when{};
    when.it_value.tv_sec = std::numeric_limits<time_t>::max() / 2;
    ::timerfd_settime(clockFd_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &when, nullptr);
    wallMinusBoot_ = wallMinusBoot();
}

void LinuxSystemEvents::onSignal() {
    char buf[16];
    while (::read(signalPipe_[0], buf, sizeof buf) > 0) {
    }
    emit sessionEnding();
}

void LinuxSystemEvents::onClockFd() {
    std::uint64_t expirations = 0;
    const ssize_t n = ::read(clockFd_, &expirations, sizeof expirations);
    if (n >= 0 || errno != ECANCELED) return;
    const long long before = wallMinusBoot_;
    armClockWatch();
    // A resume from suspend also cancels the timer, but the wall clock then keeps its distance
    // from the boot clock (which counts the suspended time): that is no clock change.
    const long long shift = wallMinusBoot_ - before;
    if (shift > 1000 || shift < -1000) emit clockChanged();
}

}  // namespace telmora
