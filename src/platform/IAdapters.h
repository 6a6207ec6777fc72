#pragma once
// Network adapters in enumeration order, for the hardware address of the identity line.

#include <array>
#include <cstdint>
#include <optional>

namespace telmora {

class IAdapters {
public:
    virtual ~IAdapters() = default;
    virtual int count() = 0;
    // Nothing when that adapter's status cannot be read.
    virtual std::optional<std::array<std::uint8_t, 6>> hardwareAddress(int index) = 0;
};

}  // namespace telmora
