#pragma once
// The session as the two workers' controllers see it: the few fields of the session each of
// them reads and sets, on the main thread.

#include "ICaptureHost.h"
#include "ILimitHost.h"
#include "uMainSession.h"

namespace telmora {

class SessionCaptureHost final : public ICaptureHost {
public:
    explicit SessionCaptureHost(MainSession& session) : s_(session) {}
    bool trackingOn() const override { return s_.options().tracciaweb; }
    bool online() const override { return s_.online() || s_.lanShown(); }
    bool closingAllowed() const override { return s_.closingAllowed(); }
    QString lastUrl() const override { return s_.lastUrl(); }
    void setLastUrl(const QString& url) override { s_.setLastUrl(url); }

private:
    MainSession& s_;
};

class SessionLimitHost final : public ILimitHost {
public:
    explicit SessionLimitHost(MainSession& session) : s_(session) {}
    LimitSettings limitSettings() const override {
        const Options& o = s_.options();
        return {o.daylimit,        o.monthlimit, o.disconnectday,
                o.disconnectmonth, o.hdaylimit,  o.hmonthlimit};
    }
    void setLimitSettings(const LimitSettings& l) override {
        Options o = s_.options();
        o.daylimit = l.daylimit;
        o.monthlimit = l.monthlimit;
        o.disconnectday = l.disconnectday;
        o.disconnectmonth = l.disconnectmonth;
        o.hdaylimit = l.hdaylimit;
        o.hmonthlimit = l.hmonthlimit;
        s_.setOptions(o);
    }
    bool dayNoticeGiven() const override { return s_.dayNoticeGiven(); }
    bool monthNoticeGiven() const override { return s_.monthNoticeGiven(); }
    void setDayNoticeGiven(bool given) override { s_.setDayNoticeGiven(given); }
    void setMonthNoticeGiven(bool given) override { s_.setMonthNoticeGiven(given); }
    DateTime netStart() const override { return s_.netStart(); }
    bool online() const override { return s_.online(); }
    bool closingAllowed() const override { return s_.closingAllowed(); }

private:
    MainSession& s_;
};

}  // namespace telmora
