#pragma once
// A clock that reads what the test set (the shared fakes pull in the session's interfaces).

#include "IClock.h"

namespace telmora::test {

class FixedClock final : public IClock {
public:
    DateTime value = encodeDateTime(2004, 3, 15, 12, 0, 0);
    DateTime now() const override { return value; }
    void set(int y, int mo, int d, int h, int mi, int s) {
        value = encodeDateTime(y, mo, d, h, mi, s);
    }
};

}  // namespace telmora::test
