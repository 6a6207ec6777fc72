#include "uPeriodTotals.h"

#include "uError.h"
#include "uPeriodSums.h"

namespace telmora {
namespace {

const QString kSource = QStringLiteral("PeriodTotals");
const QString kLineBreak = QStringLiteral("\r\n");

struct Columns {
    QString start, stop, duration;
};

const Columns kInternetColumns{QStringLiteral("TSTART"), QStringLiteral("TSTOP"),
                               QStringLiteral("TCONNECTION")};
const Columns kPcColumns{QStringLiteral("PCSTART"), QStringLiteral("PCSTOP"),
                         QStringLiteral("TPC")};

Stmt reportStatement(Activity activity, PeriodKind kind) {
    const bool internet = activity == Activity::Internet;
    switch (kind) {
        case PeriodKind::Day:
            return internet ? Stmt::S3 : Stmt::S6;
        case PeriodKind::Month:
            return internet ? Stmt::S5 : Stmt::S8;
        case PeriodKind::Year:
            break;
    }
    return internet ? Stmt::S4 : Stmt::S7;
}

QString parameterName(PeriodKind kind) {
    switch (kind) {
        case PeriodKind::Day:
            return QStringLiteral("data");
        case PeriodKind::Month:
            return QStringLiteral("mese");
        case PeriodKind::Year:
            break;
    }
    return QStringLiteral("anno");
}

CallsTag tagOf(PeriodKind kind) {
    switch (kind) {
        case PeriodKind::Day:
            return CallsTag::Day;
        case PeriodKind::Month:
            return CallsTag::Month;
        case PeriodKind::Year:
            break;
    }
    return CallsTag::Year;
}

// A session that starts or ends exactly at midnight (the midnight split) shows its day alone.
QString momentText(DateTime value) {
    const TimeOfDay t = decodeTime(value);
    if (t.hour == 0 && t.minute == 0 && t.second == 0) return dayText(value);
    return displayText(value);
}

QString longestLines(const PeriodSums& sums) {
    return momentText(sums.longestStart()) + kLineBreak + momentText(sums.longestStop()) +
           kLineBreak + timeText(sums.longestDuration());
}

QString totalText(const PeriodSums& sums) {
    return QStringLiteral("Totale:  %1 h %2 m %3 s")
        .arg(sums.hours())
        .arg(sums.minutes())
        .arg(sums.seconds());
}

int pagesOfDay(Query& query, const QString& day) {
    query.close();
    query.setStatement(Stmt::S9);
    query.setText(QStringLiteral("data"), day);
    query.open();
    const int pages = query.rows().empty()
                          ? 0
                          : static_cast<int>(query.rows().front().integer(QStringLiteral("NURL")));
    query.close();
    return pages;
}

}  // namespace

QString checkedPeriod(PeriodKind kind, const QString& value) {
    const QString text = value.trimmed();
    switch (kind) {
        case PeriodKind::Day:
            if (!parseDayText(text)) {
                throw Error(
                    kSource,
                    QStringLiteral("Data non valida: \"%1\" (attesa gg/mm/aaaa)").arg(value));
            }
            break;
        case PeriodKind::Month:
            if (!parseMonthKey(text)) {
                throw Error(kSource,
                            QStringLiteral("Mese non valido: \"%1\" (atteso aaaa/mm)").arg(value));
            }
            break;
        case PeriodKind::Year:
            if (!parseYearText(text)) {
                throw Error(kSource,
                            QStringLiteral("Anno non valido: \"%1\" (atteso aaaa)").arg(value));
            }
            break;
    }
    return text;
}

PeriodReport PeriodTotals::compute(Activity activity, PeriodKind kind, const QString& value) {
    const QString period = checkedPeriod(kind, value);
    const bool internet = activity == Activity::Internet;
    const Columns& columns = internet ? kInternetColumns : kPcColumns;
    const QString nameColumn = QStringLiteral("CONN_NAME");

    Query& query = module_.adoquery;
    query.close();
    query.setStatement(reportStatement(activity, kind));
    query.setText(parameterName(kind), period);
    query.open();
    PeriodSums sums;
    for (const Row& row : query.rows()) {
        sums.add(row.dateTime(columns.start), row.dateTime(columns.stop),
                 row.dateTime(columns.duration), internet ? row.text(nameColumn) : QString());
    }
    const int count = query.recordCount();
    query.close();

    PeriodReport report;
    if (internet && kind == PeriodKind::Day) {
        // Pages captured on a day without any call still count.
        const int pages = pagesOfDay(query, period);
        if (pages > 0) {
            report.lblurl = QStringLiteral("Pagine web visitate:  %1").arg(pages);
            report.urlLink = {true, QStringLiteral("Visualizza url del giorno")};
        }
    }

    report.lbltot = totalText(sums);
    if (internet) {
        if (count == 1) {
            report.lblmax = sums.longestName() + kLineBreak + longestLines(sums);
        } else if (count > 1) {
            report.lblmax = QStringLiteral("Più lunga:  ") + sums.longestName() + kLineBreak +
                            longestLines(sums);
            report.callsLink = {true, QStringLiteral("Dettaglio chiamate")};
            report.callsTag = tagOf(kind);
        }
        report.lblcalls = QStringLiteral("Chiamate:  %1").arg(count);
    } else {
        report.lblcalls = QStringLiteral("Sessioni:  %1").arg(count);
        if (count > 0) {
            report.lblmax = QStringLiteral("Sessione più lunga:") + kLineBreak + longestLines(sums);
        }
    }
    return report;
}

QStringList PeriodTotals::monthList(Activity activity) {
    return list(activity == Activity::Internet ? Stmt::S10 : Stmt::S11, QStringLiteral("MESE"));
}

QStringList PeriodTotals::yearList(Activity activity) {
    return list(activity == Activity::Internet ? Stmt::S12 : Stmt::S13, QStringLiteral("ANNO"));
}

QStringList PeriodTotals::list(Stmt stmt, const QString& column) {
    Query& query = module_.adoquery;
    query.close();
    query.setStatement(stmt);
    query.open();
    QStringList items;
    items.reserve(static_cast<qsizetype>(query.rows().size()));
    for (const Row& row : query.rows()) items << row.text(column);
    query.close();
    return items;
}

}  // namespace telmora
