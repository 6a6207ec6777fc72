#pragma once
// The simulated dial-up service: section [dialup] of telmora.sim, read afresh at every call.
// Connection i has handle i + 1; connection 0 carries the entry, device and state of the file.

#include "IDialUp.h"
#include "SimControl.h"

namespace telmora {

class SimDialUp final : public IDialUp {
public:
    static constexpr int kFailed = 1;

    explicit SimDialUp(const SimControl& control) : control_(control) {}

    bool load() override;
    int enumConnections(std::array<RasConnEntry, kMaxEntries>& entries, int& count) override;
    RasConnStatus connectStatus(std::uint32_t handle) override;
    // Fails when the client address is empty.
    int pppIpProjection(std::uint32_t handle, RasPppIp& out) override;

private:
    const SimControl& control_;
};

}  // namespace telmora
