#pragma once
// The simulated Internet state and autodial service: [internet] flags of telmora.sim; dialing
// follows [autodial] result and, like hanging up, writes the new state back into the file and a
// line into telmora.simlog.

#include "IInternet.h"
#include "SimControl.h"

namespace telmora {

class SimInternet final : public IInternet {
public:
    SimInternet(const SimControl& control, SimLog& log) : control_(control), log_(log) {}

    bool connectedState(std::uint32_t& flags) override;
    bool autodial() override;
    void autodialHangup() override;

private:
    const SimControl& control_;
    SimLog& log_;
};

}  // namespace telmora
