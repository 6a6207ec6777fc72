#include "uPeriodSums.h"

namespace telmora {

void PeriodSums::add(DateTime start, DateTime stop, DateTime duration, const QString& name) {
    if (rows_ == 0 || duration > longestDuration_) {
        longestStart_ = start;
        longestStop_ = stop;
        longestDuration_ = duration;
        longestName_ = name;
    }
    ++rows_;
    const TimeOfDay t = decodeTime(duration);
    hours_ += t.hour;
    minuteSeconds_ += t.minute * 60 + t.second;
    if (minuteSeconds_ >= 3600) {
        ++hours_;
        minuteSeconds_ -= 3600;
    }
}

}  // namespace telmora
