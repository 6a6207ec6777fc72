#include "uLimitNotice.h"

#include "ILimitHost.h"
#include "ITrayNotices.h"
#include "uConnectionCommands.h"

namespace telmora {

namespace {
constexpr int kNoticeSeconds = 10;
}

QString limitHoursText(int hours) {
    if (hours == 1) return QStringLiteral("1 ora");
    return QString::number(hours) + QStringLiteral(" ore");
}

LimitNotice limitNotice(LimitKind kind, const LimitSnapshot& snapshot) {
    const bool day = kind == LimitKind::Day;
    const QString limit = day ? QStringLiteral("Il limite giornaliero di connessione internet")
                              : QStringLiteral("Il limite mensile di connessione internet");
    const QString hours =
        limitHoursText(day ? snapshot.limits.hdaylimit : snapshot.limits.hmonthlimit);
    LimitNotice n;
    n.title = day ? QStringLiteral("Telmora. Avviso limite giornaliero")
                  : QStringLiteral("Telmora. Avviso limite mensile");
    n.hangUp = day ? snapshot.limits.disconnectday : snapshot.limits.disconnectmonth;
    if (n.hangUp) {
        n.text = limit + QStringLiteral(" di ") + hours +
                 QStringLiteral("\rè stato superato. Disconnessione automatica in corso...");
    } else {
        n.text = limit + QStringLiteral("\rdi ") + hours + QStringLiteral(" è stato superato. ") +
                 snapshot.totalText;
    }
    return n;
}

void giveLimitNotice(LimitKind kind, LimitSnapshot& snapshot, ITrayNotices& tray,
                     ConnectionCommands& commands, ILimitHost& host) {
    const LimitNotice n = limitNotice(kind, snapshot);
    showBalloonTip(tray, n.title, n.text, BalloonIcon::Info, kNoticeSeconds);
    if (n.hangUp) commands.HangUpConnection();
    if (kind == LimitKind::Day) {
        snapshot.dayNoticeGiven = true;
        host.setDayNoticeGiven(true);
    } else {
        snapshot.monthNoticeGiven = true;
        host.setMonthNoticeGiven(true);
    }
}

}  // namespace telmora
