// The Linux program: every facility from the system itself.

#include "LinuxAdapters.h"
#include "LinuxBrowser.h"
#include "LinuxDialUp.h"
#include "LinuxHostInfo.h"
#include "LinuxInternet.h"
#include "LinuxMailer.h"
#include "LinuxShellOpen.h"
#include "LinuxSystem.h"
#include "LinuxSystemEvents.h"
#include "Platform.h"

namespace telmora {

std::unique_ptr<Platform> createPlatform(const QString&) {
    auto p = std::make_unique<Platform>();
    p->clock = std::make_unique<SystemClock>();
    p->instanceGuard = std::make_unique<LinuxInstanceGuard>();
    p->process = std::make_unique<LinuxProcessControl>();
    p->autostart = std::make_unique<XdgAutostart>();
    p->dialUp = std::make_unique<LinuxDialUp>();
    p->internet = std::make_unique<LinuxInternet>();
    p->host = std::make_unique<LinuxHostInfo>();
    p->adapters = std::make_unique<LinuxAdapters>();
    p->shellOpen = std::make_unique<LinuxShellOpen>();
    p->mailer = std::make_unique<LinuxMailer>();
    p->browser = std::make_unique<LinuxBrowser>();
    p->createEvents = [] { return std::make_unique<LinuxSystemEvents>(); };
    return p;
}

}  // namespace telmora
