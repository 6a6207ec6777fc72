#pragma once
// The simulated opener: writes "open <text>" to telmora.simlog. The key error of section [shell]
// in telmora.sim (0 by default), when it holds a number from 1 to 32, makes every open fail
// with that number instead, and nothing is written.

#include "IShellOpen.h"
#include "SimControl.h"

namespace telmora {

class SimShellOpen final : public IShellOpen {
public:
    SimShellOpen(const SimControl& control, SimLog& log) : control_(control), log_(log) {}

    std::optional<int> open(const QString& text) override;

private:
    const SimControl& control_;
    SimLog& log_;
};

}  // namespace telmora
