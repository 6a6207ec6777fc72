#pragma once
// The clock the logic reads: injected so that midnight, month ends and limits can be tested
// without waiting.

#include "uDateTime.h"

namespace telmora {

class IClock {
public:
    virtual ~IClock() = default;
    virtual DateTime now() const = 0;  // local time
};

class SystemClock final : public IClock {
public:
    DateTime now() const override;
};

}  // namespace telmora
