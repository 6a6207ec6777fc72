#pragma once
// The dial-up service on Linux: the point-to-point links of pppd, read from sysfs. A link's
// handle is its interface index; its entry name is pppd's link name (/run/ppp-<link>.pid), else
// the peer pppd was called with, else the interface name. Addresses come from getifaddrs.

#include <functional>

#include "IDialUp.h"
#include "LinuxNetRoots.h"

namespace telmora {

class LinuxDialUp final : public IDialUp {
public:
    // The local and the peer IPv4 address of an interface; nothing when it has none.
    using AddressSource = std::function<std::optional<RasPppIp>(const std::string& ifname)>;

    static constexpr int kFailed = 1;
    // The state of a link that pppd has created but not yet raised: the device answered and
    // the protocol is being negotiated.
    static constexpr std::uint32_t kNegotiating = 3;

    explicit LinuxDialUp(NetRoots roots = {}, AddressSource addresses = interfaceAddresses);

    // True when the network interfaces can be listed at all.
    bool load() override;
    int enumConnections(std::array<RasConnEntry, kMaxEntries>& entries, int& count) override;
    RasConnStatus connectStatus(std::uint32_t handle) override;
    int pppIpProjection(std::uint32_t handle, RasPppIp& out) override;

    // The live system's addresses, through getifaddrs.
    static std::optional<RasPppIp> interfaceAddresses(const std::string& ifname);

private:
    // The link behind a handle of the last enumeration, if it is still the same interface.
    std::optional<PppLink> linkOf(std::uint32_t handle) const;

    NetRoots roots_;
    AddressSource addresses_;
    std::array<std::pair<std::uint32_t, std::string>, kMaxEntries> enumerated_;
    int enumeratedCount_ = 0;
};

}  // namespace telmora
