#pragma once
// The local machine's host name and address.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace telmora {

class IHostInfo {
public:
    virtual ~IHostInfo() = default;
    virtual std::optional<std::string> hostName() = 0;  // nothing when the call fails
    // First IPv4 address of the name; nothing when it cannot be resolved.
    virtual std::optional<std::array<std::uint8_t, 4>> firstAddress(const std::string& name) = 0;
};

}  // namespace telmora
