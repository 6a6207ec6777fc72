// The local address on fixture trees: the interface of the default route, a dial-up link without
// one, and the host name's own address when only the loopback has one.

#include "LinuxHostInfo.h"

#include <gtest/gtest.h>

#include "FixtureTree.h"

namespace telmora::test {
namespace {

using Address = std::array<std::uint8_t, 4>;

// Every interface of the fixtures with an address, as getifaddrs would list them.
const InterfaceAddresses kAddresses = {
    {"lo", {127, 0, 0, 1}},
    {"eth0", {192, 168, 0, 7}},
    {"wlan0", {192, 168, 1, 33}},
    {"ppp0", {10, 64, 3, 129}},  // the local end; the peer is 10.0.0.1
};

LinuxHostInfo hostAt(const NetRoots& roots, InterfaceAddresses addresses = kAddresses) {
    return LinuxHostInfo(roots, [addresses] { return addresses; });
}

struct AddressCase {
    const char* fixture;
    Address expected;
};

TEST(LinuxHostInfo, TheLocalAddressIsThatOfTheInterfaceInUse) {
    const std::vector<AddressCase> cases = {
        {"lan-route", {192, 168, 1, 33}},       // wlan0 carries the default route, not eth0
        {"one-link", {10, 64, 3, 129}},         // the dial-up link's own end
        {"two-links", {192, 168, 0, 7}},        // eth0's route has the lower metric
        {"link-no-default", {10, 64, 3, 129}},  // a call with no default route at all
    };
    for (const AddressCase& c : cases) {
        SCOPED_TRACE(c.fixture);
        EXPECT_EQ(hostAt(fixtureRoots(c.fixture)).localAddress(), c.expected);
    }
}

TEST(LinuxHostInfo, WithoutAnInterfaceInUseTheHostNameIsResolved) {
    LinuxHostInfo resolver;
    const std::optional<Address> byName = resolver.firstAddress(resolver.hostName().value_or(""));
    EXPECT_EQ(hostAt(fixtureRoots("loopback-only")).localAddress(), byName);
    EXPECT_EQ(hostAt(fixtureRoots("no-route")).localAddress(), byName);
    EXPECT_EQ(hostAt(fixtureRoots("missing")).localAddress(), byName);
    // A route through an interface that has no address yet does not count either.
    EXPECT_EQ(hostAt(fixtureRoots("lan-route"), {{"lo", {127, 0, 0, 1}}}).localAddress(), byName);
}

TEST(LinuxHostInfo, ADownLinkGivesNoAddress) {
    ScratchTree tree("loopback-only");
    tree.addInterface("ppp0", netfs::kArpHrdPpp, 6, "0x1090");
    LinuxHostInfo resolver;
    EXPECT_EQ(hostAt(tree.roots()).localAddress(),
              resolver.firstAddress(resolver.hostName().value_or("")));

    ScratchTree::write(tree.netClass() + "/ppp0/flags", "0x10d1");
    EXPECT_EQ(hostAt(tree.roots()).localAddress(), (Address{10, 64, 3, 129}));
}

}  // namespace
}  // namespace telmora::test
