#pragma once
// The local host name (gethostname) and its first IPv4 address (getaddrinfo).

#include "IHostInfo.h"

namespace telmora {

class LinuxHostInfo final : public IHostInfo {
public:
    std::optional<std::string> hostName() override;
    std::optional<std::array<std::uint8_t, 4>> firstAddress(const std::string& name) override;
};

}  // namespace telmora
