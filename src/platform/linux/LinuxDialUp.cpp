#include "LinuxDialUp.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <string_view>

namespace telmora {

namespace {

// What pppd tells about the process that runs one link.
struct PppdDetails {
    std::string linkName;  // the linkname option, from /run/ppp-<link>.pid
    std::string peer;      // the name after "call"
    std::string tty;       // the serial device on its command line, without /dev/
    bool pppoe = false;
};

std::string firstLine(std::string_view text) {
    return std::string(text.substr(0, text.find('\n')));
}

// /run/ppp-<link>.pid holds the pid and, on its second line, the interface of the link.
void readLinkPidFile(const NetRoots& roots, const std::string& ifname, PppdDetails& details,
                     std::string& pid) {
    DIR* dir = ::opendir(roots.run.c_str());
    if (dir == nullptr) return;
    constexpr std::string_view prefix = "ppp-", suffix = ".pid";
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.size() <= prefix.size() + suffix.size() || !name.starts_with(prefix) ||
            !name.ends_with(suffix)) {
            continue;
        }
        const std::optional<std::string> text = netfs::readFile(roots.run + '/' + entry->d_name);
        if (!text) continue;
        const std::size_t lineEnd = text->find('\n');
        if (lineEnd == std::string::npos) continue;
        if (firstLine(std::string_view(*text).substr(lineEnd + 1)) != ifname) continue;
        details.linkName =
            std::string(name.substr(prefix.size(), name.size() - prefix.size() - suffix.size()));
        pid = firstLine(*text);
        break;
    }
    ::closedir(dir);
}

void readCommandLine(const NetRoots& roots, const std::string& pid, PppdDetails& details) {
    if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos) return;
    const std::optional<std::string> cmdline = netfs::readFile(roots.proc + '/' + pid + "/cmdline");
    if (!cmdline) return;
    std::string_view rest = *cmdline;
    bool afterCall = false;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\0');
        const std::string_view arg = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (afterCall && details.peer.empty()) details.peer = arg;
        afterCall = arg == "call";
        if (arg.find("pppoe") != std::string_view::npos) details.pppoe = true;
        if (details.tty.empty() && arg.starts_with("/dev/")) details.tty = arg.substr(5);
        if (details.tty.empty() && arg.starts_with("tty")) details.tty = arg;
    }
}

PppdDetails pppdDetails(const NetRoots& roots, const std::string& ifname) {
    PppdDetails details;
    std::string pid;
    readLinkPidFile(roots, ifname, details, pid);
    if (pid.empty()) {
        // Without a link name pppd writes only /run/<interface>.pid.
        if (const auto text = netfs::readFile(roots.run + '/' + ifname + ".pid")) {
            pid = firstLine(*text);
        }
    }
    readCommandLine(roots, pid, details);
    return details;
}

RasConnEntry entryFor(const NetRoots& roots, const PppLink& link) {
    const PppdDetails pppd = pppdDetails(roots, link.ifname);
    RasConnEntry entry;
    entry.handle = link.ifindex;
    entry.entryName = !pppd.linkName.empty() ? pppd.linkName
                      : !pppd.peer.empty()   ? pppd.peer
                                             : link.ifname;
    entry.deviceType = pppd.pppoe ? "PPPoE" : "modem";
    entry.deviceName = pppd.tty.empty() ? link.ifname : pppd.tty;
    return entry;
}

std::string dotted(const sockaddr* address) {
    char text[INET_ADDRSTRLEN] = {};
    const auto* in = reinterpret_cast<const sockaddr_in*>(address);
    if (::inet_ntop(AF_INET, &in->sin_addr, text, sizeof text) == nullptr) return {};
    return text;
}

}  // namespace

LinuxDialUp::LinuxDialUp(NetRoots roots, AddressSource addresses)
    : roots_(std::move(roots)), addresses_(std::move(addresses)) {}

bool LinuxDialUp::load() {
    DIR* dir = ::opendir(roots_.netClass().c_str());
    if (dir == nullptr) return false;
    ::closedir(dir);
    return true;
}

int LinuxDialUp::enumConnections(std::array<RasConnEntry, kMaxEntries>& entries, int& count) {
    enumeratedCount_ = 0;
    const std::optional<std::vector<PppLink>> links = netfs::pppLinks(roots_);
    if (!links) return kFailed;
    count = static_cast<int>(links->size());
    if (count > kMaxEntries) return kErrorBufferTooSmall;
    for (int i = 0; i < count; ++i) {
        const PppLink& link = (*links)[i];
        entries[i] = entryFor(roots_, link);
        enumerated_[i] = {link.ifindex, link.ifname};
    }
    enumeratedCount_ = count;
    return 0;
}

std::optional<PppLink> LinuxDialUp::linkOf(std::uint32_t handle) const {
    for (int i = 0; i < enumeratedCount_; ++i) {
        if (enumerated_[i].first != handle) continue;
        std::optional<PppLink> link = netfs::pppLink(roots_, enumerated_[i].second);
        // The name may have gone, or come back as another link.
        if (link && link->ifindex == handle) return link;
        return std::nullopt;
    }
    return std::nullopt;
}

RasConnStatus LinuxDialUp::connectStatus(std::uint32_t handle) {
    const std::optional<PppLink> link = linkOf(handle);
    if (!link) return {};
    return {link->up ? kConnected : kNegotiating, 0};
}

int LinuxDialUp::pppIpProjection(std::uint32_t handle, RasPppIp& out) {
    const std::optional<PppLink> link = linkOf(handle);
    if (!link) return kFailed;
    const std::optional<RasPppIp> addresses = addresses_(link->ifname);
    if (!addresses) return kFailed;
    out = *addresses;
    return 0;
}

std::optional<RasPppIp> LinuxDialUp::interfaceAddresses(const std::string& ifname) {
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) return std::nullopt;
    std::optional<RasPppIp> found;
    for (const ifaddrs* a = list; a != nullptr; a = a->ifa_next) {
        if (a->ifa_addr == nullptr || a->ifa_addr->sa_family != AF_INET) continue;
        if (ifname != a->ifa_name) continue;
        RasPppIp addresses;
        addresses.clientIp = dotted(a->ifa_addr);
        if ((a->ifa_flags & IFF_POINTOPOINT) != 0 && a->ifa_dstaddr != nullptr &&
            a->ifa_dstaddr->sa_family == AF_INET) {
            addresses.serverIp = dotted(a->ifa_dstaddr);
        }
        found = addresses;
        break;
    }
    ::freeifaddrs(list);
    return found;
}

}  // namespace telmora
