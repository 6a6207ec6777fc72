// The simulated program: dial-up, Internet state, adapters, host, browser, clock-change and tray
// notices come from the control file telmora.sim beside it and are logged to telmora.simlog; the
// rest is Linux. Opened pages and mail go to telmora.simlog as well.

#include "LinuxSystem.h"
#include "Platform.h"
#include "SimAdapters.h"
#include "SimBrowser.h"
#include "SimControl.h"
#include "SimDialUp.h"
#include "SimHostInfo.h"
#include "SimInternet.h"
#include "SimMailer.h"
#include "SimShellOpen.h"
#include "SimSystemEvents.h"
#include "SimTrayNotices.h"

namespace telmora {
namespace {

struct SimPlatform final : Platform {
    explicit SimPlatform(const QString& programDir) : control(programDir), log(programDir) {}
    SimControl control;
    SimLog log;
};

}  // namespace

std::unique_ptr<Platform> createPlatform(const QString& programDir) {
    auto p = std::make_unique<SimPlatform>(programDir);
    p->clock = std::make_unique<SystemClock>();
    p->instanceGuard = std::make_unique<LinuxInstanceGuard>();
    p->process = std::make_unique<LinuxProcessControl>();
    p->autostart = std::make_unique<XdgAutostart>();
    p->dialUp = std::make_unique<SimDialUp>(p->control);
    p->internet = std::make_unique<SimInternet>(p->control, p->log);
    p->host = std::make_unique<SimHostInfo>(p->control);
    p->adapters = std::make_unique<SimAdapters>(p->control);
    p->shellOpen = std::make_unique<SimShellOpen>(p->control, p->log);
    p->mailer = std::make_unique<SimMailer>(p->log);
    p->browser = std::make_unique<SimBrowser>(p->control);
    SimPlatform* sim = p.get();
    p->createEvents = [sim] { return std::make_unique<SimSystemEvents>(sim->control); };
    p->wrapTray = [sim](ITrayNotices& real) -> std::unique_ptr<ITrayNotices> {
        return std::make_unique<SimTrayNotices>(real, sim->log);
    };
    return p;
}

}  // namespace telmora
