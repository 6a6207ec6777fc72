// The simulated dial-up, Internet and host services against telmora.sim, and what dialing and
// hanging up write back and log.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "SimControl.h"
#include "SimDialUp.h"
#include "SimHostInfo.h"
#include "SimInternet.h"

namespace telmora::test {
namespace {

class SimPlatform : public ::testing::Test {
protected:
    SimPlatform()
        : control_(dir_.path()),
          log_(dir_.path()),
          dialUp_(control_),
          internet_(control_, log_),
          host_(control_) {}

    void writeControl(const char* text) {
        QFile file(dir_.path() + QStringLiteral("/telmora.sim"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QByteArray simlog() const {
        QFile file(dir_.path() + QStringLiteral("/telmora.simlog"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    int enumerate(int& count) { return dialUp_.enumConnections(entries_, count); }

    QTemporaryDir dir_;
    SimControl control_;
    SimLog log_;
    SimDialUp dialUp_;
    SimInternet internet_;
    SimHostInfo host_;
    std::array<RasConnEntry, IDialUp::kMaxEntries> entries_;
};

TEST_F(SimPlatform, ReadsTheDefaultsWithoutAControlFile) {
    EXPECT_TRUE(dialUp_.load());
    int count = -1;
    EXPECT_EQ(enumerate(count), 0);
    EXPECT_EQ(count, 0);
    const RasConnStatus status = dialUp_.connectStatus(1);
    EXPECT_EQ(status.state, 8192u);
    EXPECT_EQ(status.error, 0u);
    RasPppIp ip;
    EXPECT_NE(dialUp_.pppIpProjection(1, ip), 0);

    std::uint32_t flags = 99;
    EXPECT_FALSE(internet_.connectedState(flags));
    EXPECT_EQ(flags, 0u);

    EXPECT_EQ(host_.hostName(), "simhost");
    EXPECT_EQ(host_.firstAddress("simhost"), (std::array<std::uint8_t, 4>{127, 0, 0, 1}));
}

TEST_F(SimPlatform, DescribesConnectionZeroFromTheFile) {
    writeControl(
        "[dialup]\ncount=2\nentry=Provider\ndevicetype=isdn\ndevicename=ISDN1\nstate=5\n"
        "error=691\nclientip=10.1.2.3\nserverip=10.1.2.1\n"
        "[internet]\nflags=6\n[host]\nname=\nip=192.168.7.40\n");
    int count = 0;
    ASSERT_EQ(enumerate(count), 0);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(entries_[0].handle, 1u);
    EXPECT_EQ(entries_[0].entryName, "Provider");
    EXPECT_EQ(entries_[0].deviceType, "isdn");
    EXPECT_EQ(entries_[0].deviceName, "ISDN1");
    EXPECT_EQ(entries_[1].handle, 2u);
    const RasConnStatus status = dialUp_.connectStatus(1);
    EXPECT_EQ(status.state, 5u);
    EXPECT_EQ(status.error, 691u);
    RasPppIp ip;
    ASSERT_EQ(dialUp_.pppIpProjection(1, ip), 0);
    EXPECT_EQ(ip.clientIp, "10.1.2.3");
    EXPECT_EQ(ip.serverIp, "10.1.2.1");

    std::uint32_t flags = 0;
    EXPECT_TRUE(internet_.connectedState(flags));
    EXPECT_EQ(flags, std::uint32_t(kConnLan | kConnProxy));

    EXPECT_FALSE(host_.hostName().has_value());
    EXPECT_EQ(host_.firstAddress(""), (std::array<std::uint8_t, 4>{192, 168, 7, 40}));
}

TEST_F(SimPlatform, FailsWhereTheFileSaysSo) {
    writeControl("[dialup]\nloaded=0\nfail=1\ncount=1\nstatusfail=1\n[host]\nip=300.1.1.1\n");
    EXPECT_FALSE(dialUp_.load());
    int count = 0;
    EXPECT_NE(enumerate(count), 0);
    EXPECT_EQ(dialUp_.connectStatus(1).state, 0u);
    EXPECT_FALSE(host_.firstAddress("simhost").has_value());

    writeControl("[dialup]\ncount=9\n");
    EXPECT_EQ(enumerate(count), IDialUp::kErrorBufferTooSmall);
}

TEST_F(SimPlatform, DialingAndHangingUpWriteTheStateBackAndLog) {
    writeControl("[dialup]\nentry=Provider\nstate=3\n");
    EXPECT_TRUE(internet_.autodial());
    EXPECT_EQ(control_.integer("dialup", "count", 0), 1);
    EXPECT_EQ(control_.integer("dialup", "state", 0), 8192);
    EXPECT_EQ(control_.integer("internet", "flags", 0), 1);
    EXPECT_EQ(control_.text("dialup", "entry"), QStringLiteral("Provider"));

    internet_.autodialHangup();
    EXPECT_EQ(control_.integer("dialup", "count", 1), 0);
    EXPECT_EQ(control_.integer("internet", "flags", 1), 0);

    writeControl("[autodial]\nresult=0\n");
    EXPECT_FALSE(internet_.autodial());
    EXPECT_FALSE(control_.file().valueExists("dialup", "count"));

    EXPECT_EQ(simlog(), "dial ok\nhangup\ndial fail\n");
}

}  // namespace
}  // namespace telmora::test
