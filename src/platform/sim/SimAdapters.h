#pragma once
// Simulated adapters: [adapters] 0, 1, 2 ... of telmora.sim hold the hardware address texts in
// enumeration order (none = no adapter).

#include "IAdapters.h"
#include "SimControl.h"

namespace telmora {

class SimAdapters final : public IAdapters {
public:
    explicit SimAdapters(const SimControl& control) : control_(control) {}
    int count() override;
    std::optional<std::array<std::uint8_t, 6>> hardwareAddress(int index) override;

private:
    const SimControl& control_;
};

}  // namespace telmora
