#pragma once
// What page capture needs of the session, asked on the main thread only: the tracking switch,
// whether the PC is online, whether an exit is under way, and the last stored answer.

#include <QString>

namespace telmora {

class ICaptureHost {
public:
    virtual ~ICaptureHost() = default;
    virtual bool trackingOn() const = 0;      // the "tracciaweb" switch
    virtual bool online() const = 0;          // online by dial-up, or by a LAN or proxy link
    virtual bool closingAllowed() const = 0;  // an exit is under way
    virtual QString lastUrl() const = 0;
    virtual void setLastUrl(const QString& url) = 0;
};

}  // namespace telmora
