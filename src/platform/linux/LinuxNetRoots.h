#pragma once
// Where the network state of the system is read: the roots of /sys, /proc and /run, so that the
// same code runs on the live system and on a fixture tree. Also the small readers shared by the
// dial-up and the Internet-state services.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace telmora {

struct NetRoots {
    std::string sys = "/sys";
    std::string proc = "/proc";
    std::string run = "/run";

    std::string netClass() const { return sys + "/class/net"; }
};

// A point-to-point link of pppd: an interface of type 512 (ARPHRD_PPP).
struct PppLink {
    std::string ifname;
    std::uint32_t ifindex = 0;
    bool up = false;  // IFF_UP: pppd raises it once the addresses are negotiated
};

// A default route of /proc/net/route that is up: the interface it leaves by and its metric.
struct DefaultRoute {
    std::string ifname;
    std::uint32_t metric = 0;
};

namespace netfs {

constexpr int kArpHrdPpp = 512;

// The whole of a small file; nothing when it cannot be read.
std::optional<std::string> readFile(const std::string& path);
// A number written in decimal or with 0x in front (sysfs writes flags that way).
std::optional<std::uint64_t> readNumber(const std::string& path);

// The PPP links, ordered by interface index (oldest first). Nothing when the interface class
// cannot be listed.
std::optional<std::vector<PppLink>> pppLinks(const NetRoots& roots);
// The link of that name, if it is there and is a PPP link.
std::optional<PppLink> pppLink(const NetRoots& roots, const std::string& ifname);
bool isPppInterface(const NetRoots& roots, const std::string& ifname);

// The default routes that are up, in the order of the table; none when it cannot be read.
std::vector<DefaultRoute> defaultRoutes(const NetRoots& roots);

}  // namespace netfs
}  // namespace telmora
