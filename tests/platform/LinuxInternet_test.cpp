// Connected-state flags from the routes of fixture trees, and dialing with stand-in scripts for
// pon and poff.

#include "LinuxInternet.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <filesystem>
#include <map>

#include "FixtureTree.h"

namespace telmora::test {
namespace {

LinuxInternet::EnvLookup environmentOf(std::map<std::string, std::string> vars) {
    return [vars = std::move(vars)](const char* name) -> std::optional<std::string> {
        const auto it = vars.find(name);
        if (it == vars.end()) return std::nullopt;
        return it->second;
    };
}

struct StateCase {
    const char* fixture;
    std::map<std::string, std::string> environment;
    bool connected;
    std::uint32_t flags;
};

TEST(LinuxInternet, TellsTheConnectionKindFromTheDefaultRoute) {
    const std::string proxy = "http://proxy.lan:3128";
    const std::vector<StateCase> cases = {
        {"one-link", {}, true, kConnModem},
        {"two-links", {}, true, kConnModem | kConnLan},
        {"lan-route", {}, true, kConnLan},
        {"lan-route", {{"http_proxy", proxy}}, true, kConnLan | kConnProxy},
        {"one-link", {{"HTTPS_PROXY", proxy}}, true, kConnModem | kConnProxy},
        {"lan-route", {{"http_proxy", ""}}, true, kConnLan},
        // pppd without defaultroute: the link is up with a route to the peer only.
        {"link-no-default", {}, true, kConnModem},
        {"link-no-default", {{"http_proxy", proxy}}, true, kConnModem | kConnProxy},
        {"no-route", {}, false, 0},
        {"no-route", {{"https_proxy", proxy}}, false, 0},
        {"missing", {}, false, 0},
    };
    for (const StateCase& c : cases) {
        SCOPED_TRACE(std::string(c.fixture) + (c.environment.empty() ? "" : " with a proxy"));
        LinuxInternet internet(fixtureRoots(c.fixture), {}, environmentOf(c.environment));
        std::uint32_t flags = 99;
        EXPECT_EQ(internet.connectedState(flags), c.connected);
        EXPECT_EQ(flags, c.flags);
    }
}

TEST(LinuxInternet, APppLinkCountsOnceItIsUp) {
    ScratchTree tree("no-route");
    tree.addInterface("ppp0", netfs::kArpHrdPpp, 6, "0x1090");  // still negotiating: not up
    LinuxInternet internet(tree.roots(), {}, environmentOf({}));
    std::uint32_t flags = 99;
    EXPECT_FALSE(internet.connectedState(flags));
    EXPECT_EQ(flags, 0u);

    ScratchTree::write(tree.netClass() + "/ppp0/flags", "0x10d1");
    EXPECT_TRUE(internet.connectedState(flags));
    EXPECT_EQ(flags, kConnModem);
}

// A folder with stand-in scripts and a scratch network tree they can change.
class DialScripts : public ::testing::Test {
protected:
    DialScripts() : tree_("no-route") {}

    std::string script(const std::string& name, const std::string& body) {
        const std::string path = tree_.base() + '/' + name;
        ScratchTree::write(path, "#!/bin/sh\n" + body);
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        return path;
    }

    // Raises a PPP link in the scratch tree after a short while, as pppd would.
    std::string raiseLinkLater(const char* delay) {
        const std::string dir = tree_.netClass() + "/ppp0";
        return "(sleep " + std::string(delay) + "; mkdir -p " + dir + "; echo 512 > " + dir +
               "/type; echo 7 > " + dir + "/ifindex; echo 0x10d1 > " + dir + "/flags) &\n";
    }

    LinuxInternet internet(std::vector<std::string> dial,
                           std::vector<std::string> hangUp = {"true"}) {
        DialCommands commands;
        commands.dial = std::move(dial);
        commands.hangUp = std::move(hangUp);
        commands.linkWait = std::chrono::milliseconds(1500);
        commands.linkCheck = std::chrono::milliseconds(20);
        return LinuxInternet(tree_.roots(), commands, environmentOf({}));
    }

    ScratchTree tree_;
};

TEST_F(DialScripts, DialingSucceedsOnceTheLinkIsUp) {
    const std::string pon = script("pon", raiseLinkLater("0.2") + "exit 0\n");
    QElapsedTimer took;
    took.start();
    EXPECT_TRUE(internet({pon}).autodial());
    EXPECT_GE(took.elapsed(), 150);
    EXPECT_LT(took.elapsed(), 1500);
}

TEST_F(DialScripts, DialingFailsWhenPonFailsOrNoLinkComes) {
    QElapsedTimer took;
    took.start();
    EXPECT_FALSE(internet({script("pon-fails", "exit 1\n")}).autodial());
    EXPECT_FALSE(internet({tree_.base() + "/no-such-pon"}).autodial());
    EXPECT_LT(took.elapsed(), 1000);  // neither waits for a link

    took.restart();
    EXPECT_FALSE(internet({script("pon-idle", "exit 0\n")}).autodial());
    EXPECT_GE(took.elapsed(), 1500);  // waited as long as allowed, and no more
    EXPECT_LT(took.elapsed(), 5000);
}

TEST_F(DialScripts, HangingUpRunsPoffWithItsArguments) {
    const std::string marker = tree_.base() + "/hung-up";
    const std::string poff = script("poff", "echo \"$@\" > " + marker + "\n");
    internet({"true"}, {poff, "-a"}).autodialHangup();
    EXPECT_EQ(netfs::readFile(marker), "-a\n");
}

}  // namespace
}  // namespace telmora::test
