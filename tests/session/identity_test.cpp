// The network identity lines in each of their forms.

#include "SessionFixture.h"

namespace telmora::test {
namespace {

using IdentityTest = SessionFixture;
using Mac = std::optional<std::array<std::uint8_t, 6>>;

const Mac kReal = std::array<std::uint8_t, 6>{0x00, 0x0C, 0x29, 0x3A, 0x11, 0x7F};
const Mac kZero = std::array<std::uint8_t, 6>{};

TEST_F(IdentityTest, LinesFollowTheConnectionKind) {
    struct Case {
        const char* name;
        std::uint32_t flags;
        std::vector<Mac> adapters;
        const char* connection;
        const char* device;
        const char* ip;
    };
    const Case cases[] = {
        {"none", 0, {kReal}, "", "", ""},
        {"LAN",
         kConnLan,
         {kReal},
         "Connessione: LAN",
         "MAC ADDRESS: 00-0C-29-3A-11-7F",
         "LOCAL IP: 192.168.1.20  HOST: simhost"},
        {"proxy beats LAN",
         kConnLan | kConnProxy,
         {kReal},
         "Connessione: PROXY",
         "MAC ADDRESS: 00-0C-29-3A-11-7F",
         "LOCAL IP: 192.168.1.20  HOST: simhost"},
        {"all-zero first adapter",
         kConnLan,
         {kZero, kReal},
         "Connessione: LAN",
         "MAC ADDRESS: 00-0C-29-3A-11-7F",
         "LOCAL IP: 192.168.1.20  HOST: simhost"},
        {"unreadable first adapter",
         kConnLan,
         {std::nullopt, kReal},
         "Connessione: LAN",
         "MAC ADDRESS: ",
         "LOCAL IP: 192.168.1.20  HOST: simhost"},
        {"only zero adapters",
         kConnLan,
         {kZero, kZero},
         "Connessione: LAN",
         "MAC ADDRESS: 00-00-00-00-00-00",
         "LOCAL IP: 192.168.1.20  HOST: simhost"},
        {"modem busy beats LAN", kConnLan | kConnModemBusy, {kReal}, "", "", ""},
    };
    for (const Case& c : cases) {
        fp.internet->flags = 0;  // a tick without a connection forgets the last detection
        session->refreshIdentityLines();
        view.connection = view.device = view.ip = QString();
        fp.internet->flags = c.flags;
        fp.adapters->addresses = c.adapters;
        session->refreshIdentityLines();
        EXPECT_EQ(view.connection, QString::fromUtf8(c.connection)) << c.name;
        EXPECT_EQ(view.device, QString::fromUtf8(c.device)) << c.name;
        EXPECT_EQ(view.ip, QString::fromUtf8(c.ip)) << c.name;
    }
}

TEST_F(IdentityTest, LanLinesAreBuiltOncePerDetection) {
    fp.internet->flags = kConnLan;
    fp.adapters->addresses = {kReal};
    session->refreshIdentityLines();
    const int writes = view.identityWrites;
    fp.host->address = {10, 1, 1, 1};
    session->refreshIdentityLines();
    EXPECT_EQ(view.identityWrites, writes);
    EXPECT_EQ(view.ip, QStringLiteral("LOCAL IP: 192.168.1.20  HOST: simhost"));
    EXPECT_TRUE(tray.animating);
    fp.internet->flags = 0;
    session->refreshIdentityLines();
    EXPECT_FALSE(session->lanShown());
    EXPECT_EQ(view.connection, QString());
    EXPECT_FALSE(tray.animating);
}

TEST_F(IdentityTest, DialUpFormStaysOnEveryTickAndLanTakesOverWhenBothAreUp) {
    session->startUp();
    connect("Casa");
    fp.internet->flags = kConnModem;
    at(2004, 3, 5, 10, 0, 0);
    EXPECT_EQ(view.connection, QStringLiteral("Connessione: Casa"));
    EXPECT_EQ(view.device, QStringLiteral("modem ttyS0"));
    EXPECT_EQ(view.ip, QStringLiteral("IP: 192.168.1.20  HOST: simhost"));
    at(2004, 3, 5, 10, 0, 1);
    EXPECT_EQ(view.connection, QStringLiteral("Connessione: Casa"));

    fp.internet->flags = kConnModem | kConnLan;
    fp.adapters->addresses = {kReal};
    at(2004, 3, 5, 10, 0, 2);
    EXPECT_EQ(view.connection, QStringLiteral("Connessione: LAN"));
    EXPECT_TRUE(session->lanShown());
}

TEST_F(IdentityTest, ProgramIconStaysUntilTheFirstConnection) {
    session->startUp();
    for (int s = 0; s < 3; ++s) at(2004, 3, 5, 10, 0, s);
    EXPECT_TRUE(tray.log.isEmpty()) << "offline ticks leave the program icon alone";
}

}  // namespace
}  // namespace telmora::test
