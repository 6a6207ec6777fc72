#include "LinuxHostInfo.h"

#include <ifaddrs.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace telmora {

namespace {

std::array<std::uint8_t, 4> bytesOf(const sockaddr* address) {
    std::array<std::uint8_t, 4> bytes{};
    const auto* in = reinterpret_cast<const sockaddr_in*>(address);
    std::memcpy(bytes.data(), &in->sin_addr, bytes.size());
    return bytes;
}

}  // namespace

LinuxHostInfo::LinuxHostInfo(NetRoots roots, AddressLookup addresses)
    : roots_(std::move(roots)), addresses_(std::move(addresses)) {}

std::optional<std::string> LinuxHostInfo::hostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return std::nullopt;
    return std::string(name);
}

std::optional<std::array<std::uint8_t, 4>> LinuxHostInfo::firstAddress(const std::string& name) {
    if (name.empty()) return std::nullopt;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* result = nullptr;
    if (::getaddrinfo(name.c_str(), nullptr, &hints, &result) != 0 || result == nullptr) {
        return std::nullopt;
    }
    std::optional<std::array<std::uint8_t, 4>> bytes;
    if (result->ai_addr != nullptr && result->ai_addr->sa_family == AF_INET) {
        bytes = bytesOf(result->ai_addr);
    }
    ::freeaddrinfo(result);
    return bytes;
}

std::optional<std::array<std::uint8_t, 4>> LinuxHostInfo::localAddress() {
    const InterfaceAddresses addresses = addresses_();
    const auto addressOf = [&](const std::string& ifname) {
        const auto it = addresses.find(ifname);
        return it == addresses.end() ? std::nullopt
                                     : std::optional<std::array<std::uint8_t, 4>>(it->second);
    };

    std::vector<DefaultRoute> routes = netfs::defaultRoutes(roots_);
    std::stable_sort(
        routes.begin(), routes.end(),
        [](const DefaultRoute& a, const DefaultRoute& b) { return a.metric < b.metric; });
    for (const DefaultRoute& route : routes) {
        if (const auto address = addressOf(route.ifname)) return address;
    }
    for (const PppLink& link : netfs::pppLinks(roots_).value_or(std::vector<PppLink>{})) {
        if (!link.up) continue;
        if (const auto address = addressOf(link.ifname)) return address;
    }
    return IHostInfo::localAddress();
}

InterfaceAddresses LinuxHostInfo::systemAddresses() {
    InterfaceAddresses addresses;
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) return addresses;
    for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
        if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET) continue;
        addresses.emplace(entry->ifa_name, bytesOf(entry->ifa_addr));  // the first one stays
    }
    ::freeifaddrs(list);
    return addresses;
}

}  // namespace telmora
