#pragma once
// The simulated clock-change notice: each new value of [clock] changed in telmora.sim raises it
// once. Session-end signals come from the system, as on Linux.

#include "LinuxSystemEvents.h"
#include "SimControl.h"

class QTimer;

namespace telmora {

class SimSystemEvents final : public LinuxSystemEvents {
    Q_OBJECT
public:
    explicit SimSystemEvents(const SimControl& control, QObject* parent = nullptr);

private:
    void poll();

    const SimControl& control_;
    QString lastValue_;
};

}  // namespace telmora
