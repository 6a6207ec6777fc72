#pragma once
// Sums the sessions of one period: the total time in whole seconds (whole hours not folded into
// days) and the longest session, the first one met winning among equally long ones.

#include <QString>
#include <cstdint>

#include "uDateTime.h"

namespace telmora {

class PeriodSums {
public:
    // duration is the stored time of day: any whole-day part and the milliseconds are dropped
    // from the total, while the longest session is chosen on the full stored value.
    void add(DateTime start, DateTime stop, DateTime duration, const QString& name = {});

    int rowCount() const { return rows_; }
    std::int64_t hours() const { return hours_; }
    int minutes() const { return minuteSeconds_ / 60; }
    int seconds() const { return minuteSeconds_ % 60; }

    // Whether any session was added; with sessions that all last zero the first one is the
    // longest, so the longest session always names a real row.
    bool hasLongest() const { return rows_ > 0; }
    DateTime longestStart() const { return longestStart_; }
    DateTime longestStop() const { return longestStop_; }
    DateTime longestDuration() const { return longestDuration_; }
    const QString& longestName() const { return longestName_; }

private:
    int rows_ = 0;
    std::int64_t hours_ = 0;
    int minuteSeconds_ = 0;  // always below one hour
    DateTime longestStart_ = 0;
    DateTime longestStop_ = 0;
    DateTime longestDuration_ = 0;
    QString longestName_;
};

}  // namespace telmora
