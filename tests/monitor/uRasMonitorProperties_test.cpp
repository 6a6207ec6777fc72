// Creation, Enabled and PollInterval, the read-only properties, the local host lookups and the
// status texts.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QVariant>

#include "FakeDialUp.h"
#include "uError.h"
#include "uRasMonitor.h"

namespace telmora::test {
namespace {

class RasMonitorTest : public ::testing::Test {
protected:
    void SetUp() override { ResetRasApiLoad(); }

    QTimer* pollTimer(TRasMonitor& m) { return m.findChild<QTimer*>(QStringLiteral("PollTimer")); }

    FakeDialUp dialUp;
    FakeHost host;
};

TEST_F(RasMonitorTest, StartsDisabledOfflineWithASnapshotOfTheHost) {
    TRasMonitor monitor(dialUp, host);
    EXPECT_FALSE(monitor.Enabled());
    EXPECT_EQ(monitor.PollInterval(), 1000);
    EXPECT_FALSE(monitor.Online());
    EXPECT_TRUE(monitor.RasApiLoaded());
    EXPECT_EQ(monitor.CurrentConnection(), 0u);
    EXPECT_EQ(monitor.ConnectionDetails(), TRasConnectionDetails{});
    EXPECT_EQ(monitor.LocalIP(), QStringLiteral("192.168.1.5"));
    EXPECT_EQ(monitor.LocalHost(), QStringLiteral("pc-ufficio"));
    EXPECT_EQ(host.askedFor, "pc-ufficio");
    EXPECT_FALSE(pollTimer(monitor)->isActive());

    // The lookups are asked again at each call; the properties keep the values at creation.
    host.name = "portatile";
    host.address = std::array<std::uint8_t, 4>{10, 0, 0, 17};
    EXPECT_EQ(monitor.GetLocalHost(), QStringLiteral("portatile"));
    EXPECT_EQ(monitor.GetLocalIP(), QStringLiteral("10.0.0.17"));
    EXPECT_EQ(monitor.LocalIP(), QStringLiteral("192.168.1.5"));

    host.name.reset();
    host.address.reset();
    EXPECT_EQ(monitor.GetLocalHost(), QString());
    EXPECT_EQ(monitor.GetLocalIP(), QString());
}

TEST_F(RasMonitorTest, IgnoresWritesToReadOnlyProperties) {
    TRasMonitor monitor(dialUp, host);
    EXPECT_FALSE(monitor.setProperty("Online", true));
    EXPECT_FALSE(monitor.setProperty("RasApiLoaded", false));
    EXPECT_FALSE(monitor.setProperty("LocalIP", QStringLiteral("1.2.3.4")));
    EXPECT_FALSE(monitor.setProperty("LocalHost", QStringLiteral("altro")));
    EXPECT_FALSE(monitor.Online());
    EXPECT_TRUE(monitor.RasApiLoaded());
    EXPECT_EQ(monitor.LocalIP(), QStringLiteral("192.168.1.5"));
    EXPECT_EQ(monitor.LocalHost(), QStringLiteral("pc-ufficio"));
}

TEST_F(RasMonitorTest, RefusesToEnableOrDisableWithoutTheLibrary) {
    dialUp.loaded = false;
    TRasMonitor monitor(dialUp, host);
    EXPECT_FALSE(monitor.RasApiLoaded());
    for (bool value : {true, false}) {
        try {
            monitor.setEnabled(value);
            ADD_FAILURE() << "no error for " << value;
        } catch (const Error& e) {
            EXPECT_EQ(e.source(), QStringLiteral("TRasMonitor"));
            EXPECT_EQ(e.message(),
                      QStringLiteral("RASAPI Not Loaded, unable to access RAS Functions"));
        }
    }
    EXPECT_FALSE(monitor.Enabled());
    EXPECT_FALSE(pollTimer(monitor)->isActive());
}

TEST_F(RasMonitorTest, LoadsTheLibraryOncePerProcess) {
    TRasMonitor first(dialUp, host);
    FakeDialUp missing;
    missing.loaded = false;
    TRasMonitor second(missing, host);
    EXPECT_EQ(dialUp.loadCalls, 1);
    EXPECT_EQ(missing.loadCalls, 0);
    EXPECT_TRUE(second.RasApiLoaded());
}

TEST_F(RasMonitorTest, TakesThePollIntervalWhenPollingIsSwitchedOn) {
    TRasMonitor monitor(dialUp, host);
    monitor.setEnabled(true);
    EXPECT_TRUE(pollTimer(monitor)->isActive());
    EXPECT_EQ(pollTimer(monitor)->interval(), 1000);

    monitor.setPollInterval(250);
    monitor.setEnabled(true);  // no change: the running timer keeps its interval
    EXPECT_EQ(monitor.PollInterval(), 250);
    EXPECT_EQ(pollTimer(monitor)->interval(), 1000);

    monitor.setEnabled(false);
    EXPECT_FALSE(pollTimer(monitor)->isActive());
    monitor.setEnabled(true);
    EXPECT_EQ(pollTimer(monitor)->interval(), 250);
}

TEST_F(RasMonitorTest, SwitchingPollingOffAndOnWhileOnlineRaisesNothing) {
    dialUp.connections = {{7, "Provider", "modem", "ttyS0"}};
    TRasMonitor monitor(dialUp, host);
    monitor.PollConnections();
    ASSERT_TRUE(monitor.Online());
    const TRasConnectionDetails before = monitor.ConnectionDetails();

    int events = 0;
    monitor.OnRasConnected = [&](TRasMonitor&, TRasConnectionDetails) { ++events; };
    monitor.OnRasDisconnected = [&](TRasMonitor&, TRasConnectionDetails) { ++events; };
    monitor.setEnabled(true);
    monitor.setEnabled(false);
    monitor.setEnabled(true);
    EXPECT_EQ(events, 0);
    EXPECT_TRUE(monitor.Online());
    EXPECT_EQ(monitor.ConnectionDetails(), before);
}

TEST_F(RasMonitorTest, PollsOnItsTimer) {
    dialUp.connections = {{7, "Provider", "modem", "ttyS0"}};
    TRasMonitor monitor(dialUp, host);
    int connected = 0;
    monitor.OnRasConnected = [&](TRasMonitor&, TRasConnectionDetails) { ++connected; };
    monitor.setPollInterval(10);
    monitor.setEnabled(true);

    QElapsedTimer waited;
    waited.start();
    while (dialUp.polls < 3 && waited.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    EXPECT_GE(dialUp.polls, 3);
    EXPECT_EQ(connected, 1);
    EXPECT_TRUE(monitor.Online());
}

TEST(StatusToText, GivesEveryStateItsText) {
    const std::vector<std::pair<std::uint32_t, const char*>> states = {
        {0, "Opening port"},
        {1, "Port opened"},
        {2, "Connecting device"},
        {3, "Device connected"},
        {4, "All devices connected"},
        {5, "Start authenticating"},
        {6, "Authentication: notify"},
        {7, "Authentication: retry"},
        {8, "Authentication: callback"},
        {9, "Authentication: change password"},
        {10, "Authentication: projecting"},
        {11, "Authentication: link speed"},
        {12, "Authentication: acknowledge"},
        {13, "Authentication: reauthenticate"},
        {14, "Authenticated"},
        {15, "Preparing for callback"},
        {16, "Waiting for modem reset"},
        {17, "Waiting for callback"},
        {18, "Projected"},
        {19, "Start authentication"},
        {20, "Callback complete"},
        {21, "Logging on network"},
        {22, ""},
        {4095, ""},
        {4096, "Interactive"},
        {4097, "Retry Authentication"},
        {4098, "Callback set by caller"},
        {4099, "Password expired"},
        {4100, ""},
        {8191, ""},
        {8192, "Connected"},
        {8193, "Disconnected"},
        {8194, ""},
        {0xFFFFFFFFu, ""},
    };
    for (const auto& [state, text] : states) {
        EXPECT_EQ(StatusToText(state, 0), QString::fromLatin1(text)) << state;
    }
}

TEST(StatusToText, AnyErrorCodeReadsErrorWhateverTheState) {
    for (std::uint32_t state : {0u, 8192u, 8193u, 22u}) {
        EXPECT_EQ(StatusToText(state, 1), QStringLiteral("ERRROR")) << state;
        EXPECT_EQ(StatusToText(state, 0xFFFFFFFFu), QStringLiteral("ERRROR")) << state;
    }
}

}  // namespace
}  // namespace telmora::test
