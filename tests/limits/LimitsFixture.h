#pragma once
// A limit watch on a fresh database: the running program played by a host of plain fields, the
// tray and the autodial service faked, the clock fixed at Friday 5 March 2004, 18:00.

#include <QCoreApplication>
#include <QThread>
#include <cctype>
#include <string>

#include "ILimitHost.h"
#include "InstallationFixture.h"
#include "StoreRows.h"
#include "uConnectionCommands.h"
#include "uLimitWatch.h"

namespace telmora::test {

// The program's side of the watch. Every call must come on the main thread: offThreadCalls
// counts those that do not.
class FakeLimitHost final : public ILimitHost {
public:
    LimitSettings limits;
    bool dayGiven = false, monthGiven = false;
    DateTime start = 0;
    bool isOnline = true;
    bool closing = false;
    mutable int offThreadCalls = 0;

    LimitSettings limitSettings() const override { return checked(limits); }
    void setLimitSettings(const LimitSettings& s) override { limits = checked(s); }
    bool dayNoticeGiven() const override { return checked(dayGiven); }
    bool monthNoticeGiven() const override { return checked(monthGiven); }
    void setDayNoticeGiven(bool given) override { dayGiven = checked(given); }
    void setMonthNoticeGiven(bool given) override { monthGiven = checked(given); }
    DateTime netStart() const override { return checked(start); }
    bool online() const override { return checked(isOnline); }
    bool closingAllowed() const override { return checked(closing); }

private:
    template <typename T>
    T checked(T value) const {
        if (QThread::currentThread() != QCoreApplication::instance()->thread()) ++offThreadCalls;
        return value;
    }
};

// A table row's description as a test name.
inline std::string caseName(const char* description) {
    std::string name;
    for (const char* p = description; *p; ++p) {
        name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    }
    return name;
}

class LimitsFixture : public InstallationFixture {
protected:
    void SetUp() override {
        InstallationFixture::SetUp();
        fp.clock->set(2004, 3, 5, 18, 0, 0);
        fp.internet->flags = kConnModem;
        host.start = fp.clock->value;
        commands = std::make_unique<ConnectionCommands>(*fp.internet, messages);
        watch = std::make_unique<LimitWatch>(host, *data, *fp.clock, *report, tray, *commands);
    }
    void TearDown() override { watch.reset(); }

    static DateTime hms(int h, int m, int s) { return (h * 3600 + m * 60 + s) / 86400.0; }
    // A finished call of the given length starting at start.
    void addCallOf(DateTime start, DateTime length) {
        addCall(*data, start, start + length, QStringLiteral("Provider"));
    }
    // The connection under way has lasted this long.
    void openFor(DateTime length) { host.start = fp.clock->value - length; }

    FakeLimitHost host;
    FakeTray tray;
    std::unique_ptr<ConnectionCommands> commands;
    std::unique_ptr<LimitWatch> watch;
};

}  // namespace telmora::test
