#pragma once
// Every outside facility the program uses, behind its interface. Each program has one factory,
// createPlatform(), that picks the implementations; the logic never knows which it has.

#include <QString>
#include <functional>
#include <memory>

#include "IAdapters.h"
#include "IBrowser.h"
#include "IClock.h"
#include "IDialUp.h"
#include "IHostInfo.h"
#include "IInternet.h"
#include "IMailer.h"
#include "IShellOpen.h"
#include "ISystem.h"
#include "ISystemEvents.h"
#include "ITrayNotices.h"

namespace telmora {

struct Platform {
    virtual ~Platform() = default;

    std::unique_ptr<IClock> clock;
    std::unique_ptr<IInstanceGuard> instanceGuard;
    std::unique_ptr<IProcessControl> process;
    std::unique_ptr<IAutostart> autostart;
    std::unique_ptr<IDialUp> dialUp;
    std::unique_ptr<IInternet> internet;
    std::unique_ptr<IHostInfo> host;
    std::unique_ptr<IAdapters> adapters;
    std::unique_ptr<IShellOpen> shellOpen;
    std::unique_ptr<IMailer> mailer;
    std::unique_ptr<IBrowser> browser;
    // The system notices need the running application: made once it exists.
    std::function<std::unique_ptr<ISystemEvents>()> createEvents;
    // Lets the platform stand between the program and the real tray icon (the simulated one
    // records every notice it passes on). Empty: the program talks to the tray directly.
    std::function<std::unique_ptr<ITrayNotices>(ITrayNotices& real)> wrapTray;
};

// programDir is the folder of the program file, where its own files live.
std::unique_ptr<Platform> createPlatform(const QString& programDir);

}  // namespace telmora
