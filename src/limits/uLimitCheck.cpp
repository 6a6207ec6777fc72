#include "uLimitCheck.h"

#include "ILimitHost.h"
#include "uDataModule.h"

namespace telmora {

LimitSnapshot takeSnapshot(const ILimitHost& host) {
    LimitSnapshot s;
    s.limits = host.limitSettings();
    s.dayNoticeGiven = host.dayNoticeGiven();
    s.monthNoticeGiven = host.monthNoticeGiven();
    s.netStart = host.netStart();
    return s;
}

void HourTally::add(const TimeOfDay& duration) {
    hours_ += duration.hour;
    minuteSeconds_ += duration.minute * 60 + duration.second;
    if (minuteSeconds_ >= 3600) {
        ++hours_;
        minuteSeconds_ -= 3600;
    }
}

QString HourTally::totalText() const {
    return QStringLiteral("(%1.%2.%3)")
        .arg(hours_)
        .arg(minutes(), 2, 10, QLatin1Char('0'))
        .arg(seconds(), 2, 10, QLatin1Char('0'));
}

TimeOfDay openConnectionTime(DateTime now, DateTime netStart) {
    if (now < netStart) return {};
    TimeOfDay t = decodeTime(now - netStart);
    t.msec = 0;
    return t;
}

HourTally sumConnections(Query& query, LimitKind kind, DateTime now, const TimeOfDay& open) {
    query.close();
    if (kind == LimitKind::Day) {
        query.setStatement(Stmt::S3);
        query.setText(QStringLiteral("data"), dayText(now));
    } else {
        query.setStatement(Stmt::S5);
        query.setText(QStringLiteral("mese"), monthKey(now));
    }
    query.open();
    HourTally tally;
    const QString duration = QStringLiteral("TCONNECTION");
    for (const Row& row : query.rows()) tally.add(decodeTime(row.dateTime(duration)));
    query.close();
    tally.add(open);
    return tally;
}

void runLimitChecks(Query& query, DateTime now, LimitSnapshot& snapshot,
                    const std::function<void(LimitKind)>& notice) {
    const TimeOfDay open = openConnectionTime(now, snapshot.netStart);
    bool dayNoticeNow = false;
    if (snapshot.limits.daylimit && !snapshot.dayNoticeGiven) {
        const HourTally day = sumConnections(query, LimitKind::Day, now, open);
        snapshot.totalText = day.totalText();
        if (day.hours() >= snapshot.limits.hdaylimit) {
            notice(LimitKind::Day);
            dayNoticeNow = true;
        }
    }
    if (snapshot.limits.monthlimit && !snapshot.monthNoticeGiven && !dayNoticeNow) {
        const HourTally month = sumConnections(query, LimitKind::Month, now, open);
        snapshot.totalText = month.totalText();
        if (month.hours() >= snapshot.limits.hmonthlimit) notice(LimitKind::Month);
    }
}

}  // namespace telmora
