#pragma once
// The simulated host: [host] name and ip of telmora.sim. An empty name is a failing host-name
// query; the address answers for any name, as the local machine's own.

#include "IHostInfo.h"
#include "SimControl.h"

namespace telmora {

class SimHostInfo final : public IHostInfo {
public:
    explicit SimHostInfo(const SimControl& control) : control_(control) {}

    std::optional<std::string> hostName() override;
    std::optional<std::array<std::uint8_t, 4>> firstAddress(const std::string& name) override;

private:
    const SimControl& control_;
};

}  // namespace telmora
