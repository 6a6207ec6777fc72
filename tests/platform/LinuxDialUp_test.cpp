// The PPP links of fixture trees seen as dial-up connections.

#include "LinuxDialUp.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "FixtureTree.h"

namespace telmora::test {
namespace {

// Addresses a test gives its fixture links, in place of the live system's.
LinuxDialUp::AddressSource addressesOf(std::map<std::string, RasPppIp> table) {
    return [table = std::move(table)](const std::string& ifname) -> std::optional<RasPppIp> {
        const auto it = table.find(ifname);
        if (it == table.end()) return std::nullopt;
        return it->second;
    };
}

struct Enumerated {
    int result = -1;
    int count = -1;
    std::array<RasConnEntry, IDialUp::kMaxEntries> entries;
};

Enumerated enumerate(LinuxDialUp& dialUp) {
    Enumerated e;
    e.result = dialUp.enumConnections(e.entries, e.count);
    return e;
}

void expectEntry(const RasConnEntry& entry, std::uint32_t handle, const char* name,
                 const char* type, const char* device) {
    EXPECT_EQ(entry.handle, handle);
    EXPECT_EQ(entry.entryName, name);
    EXPECT_EQ(entry.deviceType, type);
    EXPECT_EQ(entry.deviceName, device);
}

TEST(LinuxDialUp, DescribesALinkThatIsUp) {
    LinuxDialUp dialUp(fixtureRoots("one-link"),
                       addressesOf({{"ppp0", {"151.38.12.7", "151.38.0.1"}}}));
    ASSERT_TRUE(dialUp.load());
    const Enumerated e = enumerate(dialUp);
    ASSERT_EQ(e.result, 0);
    ASSERT_EQ(e.count, 1);
    // Named by pppd's link name, on the serial device pppd was given.
    expectEntry(e.entries[0], 5, "Tiscali", "modem", "ttyUSB0");

    const RasConnStatus status = dialUp.connectStatus(5);
    EXPECT_EQ(status.state, IDialUp::kConnected);
    EXPECT_EQ(status.error, 0u);
    RasPppIp ip;
    ASSERT_EQ(dialUp.pppIpProjection(5, ip), 0);
    EXPECT_EQ(ip.clientIp, "151.38.12.7");
    EXPECT_EQ(ip.serverIp, "151.38.0.1");
}

TEST(LinuxDialUp, ListsLinksOldestFirst) {
    LinuxDialUp dialUp(fixtureRoots("two-links"),
                       addressesOf({{"ppp0", {"10.64.0.9", "10.64.0.1"}}}));
    const Enumerated e = enumerate(dialUp);
    ASSERT_EQ(e.result, 0);
    ASSERT_EQ(e.count, 2);
    // ppp1 has the lower index; pppd has not raised it yet and left no pid file for it.
    expectEntry(e.entries[0], 6, "ppp1", "modem", "ppp1");
    // Without a link name the entry is the peer pppd was called with.
    expectEntry(e.entries[1], 8, "ufficio", "PPPoE", "ppp0");

    EXPECT_EQ(dialUp.connectStatus(6).state, LinuxDialUp::kNegotiating);
    EXPECT_EQ(dialUp.connectStatus(8).state, IDialUp::kConnected);
    RasPppIp ip;
    EXPECT_NE(dialUp.pppIpProjection(6, ip), 0);
    EXPECT_EQ(dialUp.pppIpProjection(8, ip), 0);
    EXPECT_EQ(ip.clientIp, "10.64.0.9");
}

TEST(LinuxDialUp, ForgetsALinkThatWentAwayOrCameBackAsAnother) {
    ScratchTree tree("one-link");
    LinuxDialUp dialUp(tree.roots(), addressesOf({{"ppp0", {"151.38.12.7", "151.38.0.1"}}}));
    ASSERT_EQ(enumerate(dialUp).count, 1);

    std::filesystem::remove_all(tree.netClass() + "/ppp0");
    const RasConnStatus gone = dialUp.connectStatus(5);
    EXPECT_EQ(gone.state, 0u);
    EXPECT_EQ(gone.error, 0u);
    RasPppIp ip;
    EXPECT_NE(dialUp.pppIpProjection(5, ip), 0);
    Enumerated e = enumerate(dialUp);
    EXPECT_EQ(e.result, 0);
    EXPECT_EQ(e.count, 0);

    // The same name again, but a new link: the old handle no longer answers.
    tree.addInterface("ppp0", 512, 11, "0x10d1");
    EXPECT_EQ(dialUp.connectStatus(5).state, 0u);
    e = enumerate(dialUp);
    ASSERT_EQ(e.count, 1);
    EXPECT_EQ(e.entries[0].handle, 11u);
    EXPECT_EQ(dialUp.connectStatus(11).state, IDialUp::kConnected);
}

TEST(LinuxDialUp, HasNoConnectionOnALan) {
    LinuxDialUp dialUp(fixtureRoots("lan-route"), addressesOf({}));
    ASSERT_TRUE(dialUp.load());
    const Enumerated e = enumerate(dialUp);
    EXPECT_EQ(e.result, 0);
    EXPECT_EQ(e.count, 0);
    // A handle it never gave out, say the loopback's index, is no connection.
    EXPECT_EQ(dialUp.connectStatus(1).state, 0u);
}

TEST(LinuxDialUp, FailsForMoreThanEightLinks) {
    ScratchTree tree("lan-route");
    for (int i = 0; i < 9; ++i) tree.addInterface("ppp" + std::to_string(i), 512, 20 + i, "0x10d1");
    LinuxDialUp dialUp(tree.roots(), addressesOf({}));
    const Enumerated e = enumerate(dialUp);
    EXPECT_EQ(e.result, IDialUp::kErrorBufferTooSmall);
    EXPECT_EQ(e.count, 9);
}

TEST(LinuxDialUp, IsNotLoadedWithoutNetworkInterfaces) {
    LinuxDialUp dialUp(rootsAt("/nonexistent-telmora-root"), addressesOf({}));
    EXPECT_FALSE(dialUp.load());
    int count = 0;
    std::array<RasConnEntry, IDialUp::kMaxEntries> entries;
    EXPECT_NE(dialUp.enumConnections(entries, count), 0);
}

}  // namespace
}  // namespace telmora::test
