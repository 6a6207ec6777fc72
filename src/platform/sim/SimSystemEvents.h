#pragma once
// The simulated clock-change notice: each new value of [clock] changed in telmora.sim raises it
// once. Session-end signals come from the system, as on Linux.
//
// The control file is looked at before every timer event of the program, so a notice written
// together with a new clock reaches the program before any of its timers sees the new time,
// as the real notice does.

#include "LinuxSystemEvents.h"
#include "SimControl.h"

class QTimer;

namespace telmora {

class SimSystemEvents final : public LinuxSystemEvents {
    Q_OBJECT
public:
    explicit SimSystemEvents(const SimControl& control, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void poll();

    const SimControl& control_;
    QString lastValue_;
};

}  // namespace telmora
