#pragma once
// SIGTERM and SIGHUP (the session ends) and a clock that was set, as Qt signals on the main thread.

#include "ISystemEvents.h"

class QSocketNotifier;

namespace telmora {

class LinuxSystemEvents : public ISystemEvents {
    Q_OBJECT
public:
    explicit LinuxSystemEvents(QObject* parent = nullptr);
    ~LinuxSystemEvents() override;

private:
    void armClockWatch();
    void onSignal();
    void onClockFd();

    int signalPipe_[2] = {-1, -1};
    int clockFd_ = -1;
    long long wallMinusBoot_ = 0;  // CLOCK_REALTIME - CLOCK_BOOTTIME, milliseconds
    QSocketNotifier* signalNotifier_ = nullptr;
    QSocketNotifier* clockNotifier_ = nullptr;
};

}  // namespace telmora
