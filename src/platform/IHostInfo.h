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
    // The address the machine is reached by now. Here the first address of its host name; a
    // platform that knows its interfaces and routes answers with the one in use.
    virtual std::optional<std::array<std::uint8_t, 4>> localAddress() {
        return firstAddress(hostName().value_or(std::string()));
    }
};

}  // namespace telmora
