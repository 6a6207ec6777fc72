#pragma once
// Test doubles of the outside facilities: each one is plain state a test sets and reads.

#include <QStringList>
#include <vector>

#include "Platform.h"
#include "QtPrinters.h"
#include "uError.h"

namespace telmora::test {

class FakeClock final : public IClock {
public:
    DateTime value = encodeDateTime(2004, 3, 5, 10, 0, 0);
    DateTime now() const override { return value; }
    void set(int y, int mo, int d, int h, int mi, int s, int ms = 0) {
        value = encodeDateTime(y, mo, d, h, mi, s, ms);
    }
};

class FakeDialUp final : public IDialUp {
public:
    bool loaded = true;
    int enumResult = 0;
    std::vector<RasConnEntry> connections;
    RasConnStatus status{kConnected, 0};
    int projectionResult = 0;
    RasPppIp projection{"10.0.0.2", "10.0.0.1"};

    bool load() override { return loaded; }
    int enumConnections(std::array<RasConnEntry, kMaxEntries>& entries, int& count) override {
        if (enumResult != 0) return enumResult;
        count = static_cast<int>(connections.size());
        for (size_t i = 0; i < connections.size() && i < entries.size(); ++i) {
            entries[i] = connections[i];
        }
        return 0;
    }
    RasConnStatus connectStatus(std::uint32_t) override { return status; }
    int pppIpProjection(std::uint32_t, RasPppIp& out) override {
        if (projectionResult == 0) out = projection;
        return projectionResult;
    }
    void connect(const std::string& entry = "Provider") {
        connections = {RasConnEntry{7, entry, "modem", "ttyS0"}};
    }
    void disconnect() { connections.clear(); }
};

class FakeInternet final : public IInternet {
public:
    std::uint32_t flags = 0;
    bool dialResult = true;
    int dials = 0, hangups = 0;
    bool connectedState(std::uint32_t& f) override {
        f = flags;
        return flags != 0;
    }
    bool autodial() override {
        ++dials;
        if (dialResult) flags = kConnModem;
        return dialResult;
    }
    void autodialHangup() override {
        ++hangups;
        flags = 0;
    }
};

class FakeHost final : public IHostInfo {
public:
    std::optional<std::string> name = std::string("simhost");
    std::array<std::uint8_t, 4> address{192, 168, 1, 20};
    std::optional<std::string> hostName() override { return name; }
    std::optional<std::array<std::uint8_t, 4>> firstAddress(const std::string&) override {
        return address;
    }
};

class FakeAdapters final : public IAdapters {
public:
    std::vector<std::optional<std::array<std::uint8_t, 6>>> addresses;
    int count() override { return static_cast<int>(addresses.size()); }
    std::optional<std::array<std::uint8_t, 6>> hardwareAddress(int index) override {
        if (index < 0 || index >= count()) return std::nullopt;
        return addresses[static_cast<size_t>(index)];
    }
};

class FakeAutostart final : public IAutostart {
public:
    bool present = false;
    bool failWrite = false;
    QString writtenPath;
    bool exists() const override { return present; }
    void write(const QString& programPath) override {
        if (failWrite) throw Error(QStringLiteral("TMainForm"), QStringLiteral("autostart"));
        present = true;
        writtenPath = programPath;
    }
    bool failRemove = false;
    void remove() override {
        if (present && failRemove)
            throw Error(QStringLiteral("TMainForm"), QStringLiteral("rimozione"));
        present = false;
    }
};

class FakeGuard final : public IInstanceGuard {
public:
    bool acquire() override { return true; }
};

class FakeProcess final : public IProcessControl {
public:
    bool idle = false;
    void setIdlePriority() override { idle = true; }
};

class FakeTray final : public ITrayNotices {
public:
    QStringList log;
    bool animating = false;
    void showBalloon(const QString& title, const QString& text, BalloonIcon icon,
                     int seconds) override {
        log << QStringLiteral("balloon %1|%2|%3|%4")
                   .arg(title, text)
                   .arg(static_cast<int>(icon))
                   .arg(seconds);
    }
    void hideBalloon() override { log << QStringLiteral("hide"); }
    void setAnimating(bool on) override {
        animating = on;
        log << (on ? QStringLiteral("animate on") : QStringLiteral("animate off"));
    }
};

class FakeBrowser final : public IBrowser {
public:
    QString name;    // empty: no default browser
    QString answer;  // empty: the browser does not answer
    QString DefaultBrowserName() override { return name; }
    QString RequestBrowserWindowInfo(const QString&) override { return answer; }
};

class FakeShellOpen final : public IShellOpen {
public:
    QStringList opened;
    std::optional<int> failure;
    std::optional<int> open(const QString& text) override {
        if (!failure) opened << text;
        return failure;
    }
};

class FakeMailer final : public IMailer {
public:
    std::vector<MailMessage> sent;
    void compose(const MailMessage& message) override { sent.push_back(message); }
};

// A platform made of the fakes above, each reachable by its own type.
struct FakePlatform {
    Platform platform;
    FakeClock* clock;
    FakeDialUp* dialUp;
    FakeInternet* internet;
    FakeHost* host;
    FakeAdapters* adapters;
    FakeAutostart* autostart;
    FakeProcess* process;
    FakeBrowser* browser;
    FakeShellOpen* shellOpen;
    FakeMailer* mailer;

    FakePlatform() {
        platform.browser = std::make_unique<FakeBrowser>();
        platform.shellOpen = std::make_unique<FakeShellOpen>();
        platform.mailer = std::make_unique<FakeMailer>();
        browser = static_cast<FakeBrowser*>(platform.browser.get());
        shellOpen = static_cast<FakeShellOpen*>(platform.shellOpen.get());
        mailer = static_cast<FakeMailer*>(platform.mailer.get());
        platform.clock = std::make_unique<FakeClock>();
        platform.dialUp = std::make_unique<FakeDialUp>();
        platform.internet = std::make_unique<FakeInternet>();
        platform.host = std::make_unique<FakeHost>();
        platform.adapters = std::make_unique<FakeAdapters>();
        platform.autostart = std::make_unique<FakeAutostart>();
        platform.process = std::make_unique<FakeProcess>();
        platform.instanceGuard = std::make_unique<FakeGuard>();
        clock = static_cast<FakeClock*>(platform.clock.get());
        dialUp = static_cast<FakeDialUp*>(platform.dialUp.get());
        internet = static_cast<FakeInternet*>(platform.internet.get());
        host = static_cast<FakeHost*>(platform.host.get());
        adapters = static_cast<FakeAdapters*>(platform.adapters.get());
        autostart = static_cast<FakeAutostart*>(platform.autostart.get());
        process = static_cast<FakeProcess*>(platform.process.get());
    }
};

}  // namespace telmora::test
