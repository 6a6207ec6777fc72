#pragma once
// The balloon notice of a limit reached, and the hang-up that may go with it. Main thread.

#include <QString>

#include "uLimitCheck.h"

namespace telmora {

class ConnectionCommands;
class ILimitHost;
class ITrayNotices;

// "1 ora", otherwise the number followed by " ore".
QString limitHoursText(int hours);

struct LimitNotice {
    QString title;
    QString text;
    bool hangUp = false;
};

// The notice of a limit of this kind, with the snapshot's settings and total text.
LimitNotice limitNotice(LimitKind kind, const LimitSnapshot& snapshot);

// Shows the notice as a balloon (information icon, 10 seconds), hangs up when the settings ask
// for it, and marks the notice given both in the snapshot and in the running program.
void giveLimitNotice(LimitKind kind, LimitSnapshot& snapshot, ITrayNotices& tray,
                     ConnectionCommands& commands, ILimitHost& host);

}  // namespace telmora
