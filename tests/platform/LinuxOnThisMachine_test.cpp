// The Linux implementations on this machine's own files: whatever the network looks like, they
// answer without error.

#include <gtest/gtest.h>

#include "LinuxDialUp.h"
#include "LinuxHostInfo.h"
#include "LinuxInternet.h"
#include "uRasMonitor.h"

namespace telmora::test {
namespace {

TEST(LinuxOnThisMachine, AnswersWithoutError) {
    LinuxDialUp dialUp;
    LinuxHostInfo host;
    ResetRasApiLoad();
    TRasMonitor monitor(dialUp, host);
    EXPECT_TRUE(monitor.RasApiLoaded());
    EXPECT_FALSE(monitor.LocalHost().isEmpty());
    for (int i = 0; i < 3; ++i) monitor.PollConnections();

    std::array<RasConnEntry, IDialUp::kMaxEntries> entries;
    int count = -1;
    const int result = dialUp.enumConnections(entries, count);
    EXPECT_TRUE(result == 0 || result == IDialUp::kErrorBufferTooSmall);
    EXPECT_GE(count, 0);

    LinuxInternet internet;
    std::uint32_t flags = 0;
    const bool connected = internet.connectedState(flags);
    EXPECT_EQ(connected, flags != 0);
    EXPECT_EQ(flags & ~std::uint32_t(kConnModem | kConnLan | kConnProxy), 0u);

    // The loopback has an address on every machine, and no peer.
    const std::optional<RasPppIp> loopback = LinuxDialUp::interfaceAddresses("lo");
    ASSERT_TRUE(loopback.has_value());
    EXPECT_EQ(loopback->clientIp, "127.0.0.1");
    EXPECT_EQ(loopback->serverIp, "");
    EXPECT_FALSE(LinuxDialUp::interfaceAddresses("no-such-interface").has_value());

    // The interface addresses come from the system; with a default route through an interface
    // that has one, the local address is never the loopback's.
    const InterfaceAddresses addresses = LinuxHostInfo::systemAddresses();
    ASSERT_TRUE(addresses.count("lo"));
    EXPECT_EQ(addresses.at("lo"), (std::array<std::uint8_t, 4>{127, 0, 0, 1}));
    const std::vector<DefaultRoute> routes = netfs::defaultRoutes(NetRoots{});
    if (!routes.empty() && addresses.count(routes.front().ifname)) {
        ASSERT_TRUE(host.localAddress().has_value());
        EXPECT_NE((*host.localAddress())[0], 127);
        EXPECT_NE(monitor.GetLocalIP(), QStringLiteral("127.0.0.1"));
    }
}

}  // namespace
}  // namespace telmora::test
