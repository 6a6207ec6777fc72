#include "LinuxNetRoots.h"

#include <dirent.h>
#include <fcntl.h>
#include <net/if.h>
#include <net/route.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <sstream>

namespace telmora::netfs {

std::optional<std::string> readFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string text;
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
        // sysfs and small files come whole in one read; a short read is their end.
        if (static_cast<std::size_t>(n) < sizeof buffer) break;
    }
    ::close(fd);
    return text;
}

std::optional<std::uint64_t> readNumber(const std::string& path) {
    const std::optional<std::string> text = readFile(path);
    if (!text || text->empty()) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const std::uint64_t value = std::strtoull(text->c_str(), &end, 0);
    if (errno != 0 || end == text->c_str()) return std::nullopt;
    return value;
}

std::optional<PppLink> pppLink(const NetRoots& roots, const std::string& ifname) {
    const std::string dir = roots.netClass() + '/' + ifname;
    if (readNumber(dir + "/type") != static_cast<std::uint64_t>(kArpHrdPpp)) return std::nullopt;
    const std::optional<std::uint64_t> index = readNumber(dir + "/ifindex");
    if (!index) return std::nullopt;
    PppLink link;
    link.ifname = ifname;
    link.ifindex = static_cast<std::uint32_t>(*index);
    link.up = (readNumber(dir + "/flags").value_or(0) & IFF_UP) != 0;
    return link;
}

bool isPppInterface(const NetRoots& roots, const std::string& ifname) {
    return readNumber(roots.netClass() + '/' + ifname + "/type") ==
           static_cast<std::uint64_t>(kArpHrdPpp);
}

std::optional<std::vector<PppLink>> pppLinks(const NetRoots& roots) {
    DIR* dir = ::opendir(roots.netClass().c_str());
    if (dir == nullptr) return std::nullopt;
    std::vector<PppLink> links;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (std::optional<PppLink> link = pppLink(roots, name)) links.push_back(std::move(*link));
    }
    ::closedir(dir);
    std::sort(links.begin(), links.end(),
              [](const PppLink& a, const PppLink& b) { return a.ifindex < b.ifindex; });
    return links;
}

// /proc/net/route: a header line, then Iface Destination Gateway Flags RefCnt Use Metric Mask ...
// with the addresses in hexadecimal. The default route has destination and mask 0.
std::vector<DefaultRoute> defaultRoutes(const NetRoots& roots) {
    std::vector<DefaultRoute> routes;
    const std::optional<std::string> table = readFile(roots.proc + "/net/route");
    if (!table) return routes;
    std::istringstream lines(*table);
    std::string line;
    std::getline(lines, line);  // header
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string iface, destination, gateway, flags, refCount, use, metric, mask;
        if (!(fields >> iface >> destination >> gateway >> flags >> refCount >> use >> metric >>
              mask)) {
            continue;
        }
        if (destination != "00000000" || mask != "00000000") continue;
        if ((std::strtoul(flags.c_str(), nullptr, 16) & RTF_UP) == 0) continue;
        routes.push_back(
            {iface, static_cast<std::uint32_t>(std::strtoul(metric.c_str(), nullptr, 10))});
    }
    return routes;
}

}  // namespace telmora::netfs
