#pragma once
// What the limit watch needs of the running program: the settings, the two notice flags, the
// start of the open connection, whether it is up and whether the program is ending. Every call
// is made on the main thread; the worker reaches it only through the watch, waiting for it.

#include "uDateTime.h"
#include "uLimitSettings.h"

namespace telmora {

class ILimitHost : public ILimitSettings {
public:
    virtual bool dayNoticeGiven() const = 0;
    virtual bool monthNoticeGiven() const = 0;
    virtual void setDayNoticeGiven(bool given) = 0;
    virtual void setMonthNoticeGiven(bool given) = 0;
    // Start of the open Internet session (moved to the split instant at midnight).
    virtual DateTime netStart() const = 0;
    // The connection monitor's Online.
    virtual bool online() const = 0;
    virtual bool closingAllowed() const = 0;
};

}  // namespace telmora
