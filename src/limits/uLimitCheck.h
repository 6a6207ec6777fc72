#pragma once
// One limit check: today's and this month's connection time from table ETIME plus the time of
// the connection still open, compared in whole hours with the limits of the snapshot.

#include <QString>
#include <cstdint>
#include <functional>

#include "uDateTime.h"
#include "uLimitSettings.h"

namespace telmora {

class Query;
class ILimitHost;

enum class LimitKind { Day, Month };

// What a check works on, taken from the running program when the check starts; the notices of
// the check update the two flags and the total text.
struct LimitSnapshot {
    LimitSettings limits;
    bool dayNoticeGiven = false;
    bool monthNoticeGiven = false;
    DateTime netStart = 0;
    QString totalText;  // of the last sum, shown in the notice without hang-up

    // Whether a notice that is switched on has not been given yet.
    bool noticePending() const {
        return (limits.daylimit && !dayNoticeGiven) || (limits.monthlimit && !monthNoticeGiven);
    }
};

LimitSnapshot takeSnapshot(const ILimitHost& host);

// Whole hours, and the minutes and seconds beyond them. Each duration adds its hours to the
// count and its minutes and seconds to the accumulator, whose whole hour (there is at most one)
// is carried into the count.
class HourTally {
public:
    void add(const TimeOfDay& duration);  // milliseconds are dropped

    std::int64_t hours() const { return hours_; }
    int minutes() const { return minuteSeconds_ / 60; }
    int seconds() const { return minuteSeconds_ % 60; }
    // (3.05.09) for 3 hours, 5 minutes and 9 seconds.
    QString totalText() const;

private:
    std::int64_t hours_ = 0;
    int minuteSeconds_ = 0;  // always below one hour
};

// The time of the open connection: now - netStart as a time of day, whole days and milliseconds
// dropped. A start later than now (the clock set back) counts as no time at all.
TimeOfDay openConnectionTime(DateTime now, DateTime netStart);

// The rows of today (kind Day) or of this month (kind Month) summed with the open connection.
HourTally sumConnections(Query& query, LimitKind kind, DateTime now, const TimeOfDay& open);

// The daily check, then the monthly one unless the daily notice went out in this run (it waits
// for the next run). notice is called for each limit reached and must mark it given in the
// snapshot. A failing statement throws and ends the run.
void runLimitChecks(Query& query, DateTime now, LimitSnapshot& snapshot,
                    const std::function<void(LimitKind)>& notice);

}  // namespace telmora
