#pragma once
// Records every tray notice in telmora.simlog, then passes it on to the real tray icon.

#include "ITrayNotices.h"
#include "SimControl.h"

namespace telmora {

class SimTrayNotices final : public ITrayNotices {
public:
    SimTrayNotices(ITrayNotices& real, SimLog& log) : real_(real), log_(log) {}

    void showBalloon(const QString& title, const QString& text, BalloonIcon icon,
                     int seconds) override;
    void hideBalloon() override;
    void setAnimating(bool on) override;

private:
    ITrayNotices& real_;
    SimLog& log_;
};

}  // namespace telmora
