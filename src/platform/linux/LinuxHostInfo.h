#pragma once
// The local host name (gethostname), the first IPv4 address of a name (getaddrinfo), and the
// address the machine is reached by: that of the interface the default route leaves by.

#include <functional>
#include <map>

#include "IHostInfo.h"
#include "LinuxNetRoots.h"

namespace telmora {

// The first IPv4 address of each interface that has one, by interface name; for a
// point-to-point link it is the local end, not the peer.
using InterfaceAddresses = std::map<std::string, std::array<std::uint8_t, 4>>;

class LinuxHostInfo final : public IHostInfo {
public:
    using AddressLookup = std::function<InterfaceAddresses()>;

    explicit LinuxHostInfo(NetRoots roots = {}, AddressLookup addresses = systemAddresses);

    std::optional<std::string> hostName() override;
    std::optional<std::array<std::uint8_t, 4>> firstAddress(const std::string& name) override;
    // The interface of the default route with the lowest metric (the one the kernel uses); with
    // no default route, an up PPP link (a call without defaultroute); with neither, the first
    // address of the host name, which on Debian is a loopback address.
    std::optional<std::array<std::uint8_t, 4>> localAddress() override;

    // The addresses of the running system (getifaddrs); empty when they cannot be listed.
    static InterfaceAddresses systemAddresses();

private:
    NetRoots roots_;
    AddressLookup addresses_;
};

}  // namespace telmora
