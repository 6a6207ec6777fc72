#include "uChartData.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "uError.h"
#include "uPeriodSums.h"

namespace telmora {
namespace {

const QString kSource = QStringLiteral("ChartData");
const QString kLineBreak = QStringLiteral("\n");
constexpr int kDayLabelStep = 30;
constexpr int kMonthLabelStep = 60;

struct Columns {
    QString start;
    QString duration;
};

Columns columnsOf(Activity activity) {
    if (activity == Activity::Pc) return {QStringLiteral("PCSTART"), QStringLiteral("TPC")};
    return {QStringLiteral("TSTART"), QStringLiteral("TCONNECTION")};
}

// Whole hours plus the minutes and seconds below the hour, the seconds dropped at the end.
int minutesOf(const PeriodSums& sums) {
    return static_cast<int>(sums.hours() * 60 + sums.minutes());
}

}  // namespace

const QStringList& ChartData::monthLabels() {
    static const QStringList labels{
        QStringLiteral("GEN"), QStringLiteral("FEB"), QStringLiteral("MAR"), QStringLiteral("APR"),
        QStringLiteral("MAG"), QStringLiteral("GIU"), QStringLiteral("LUG"), QStringLiteral("AGO"),
        QStringLiteral("SET"), QStringLiteral("OTT"), QStringLiteral("NOV"), QStringLiteral("DIC")};
    return labels;
}

const QStringList& ChartData::dayLabels() {
    static const QStringList labels{
        QStringLiteral("LU"), QStringLiteral("MA"), QStringLiteral("ME"), QStringLiteral("GI"),
        QStringLiteral("VE"), QStringLiteral("SA"), QStringLiteral("DO")};
    return labels;
}

ChartPeriod ChartData::monthPeriod(const QString& monthKey) const {
    const QString key = monthKey.trimmed();
    const std::optional<DateTime> first = parseMonthKey(key);
    if (!first) {
        throw Error(kSource,
                    QStringLiteral("Mese non valido: \"%1\" (atteso aaaa/mm)").arg(monthKey));
    }
    const CivilDate date = decodeDate(*first);
    ChartPeriod period;
    period.mode = ChartMode::Days;
    period.value = key;
    period.year = date.year;
    period.month = date.month;
    period.labelStep = kDayLabelStep;
    period.foot =
        kLineBreak + monthLabels()[date.month - 1] + QLatin1Char(' ') + QString::number(date.year);
    const DateTime today = datePart(clock_.now());
    const int days = daysInMonth(date.year, date.month);
    for (int d = 1; d <= days; ++d) {
        const DateTime day = encodeDate(date.year, date.month, d);
        const int weekday = dayOfWeek(day);  // 0 = Sunday
        period.labels << QString::number(d) + kLineBreak + dayLabels()[(weekday + 6) % 7];
        if (day <= today) period.chargedCount = d;
    }
    return period;
}

ChartPeriod ChartData::yearPeriod(const QString& yearText) const {
    const QString text = yearText.trimmed();
    const std::optional<int> year = parseYearText(text);
    if (!year) {
        throw Error(kSource, QStringLiteral("Anno non valido: \"%1\" (atteso aaaa)").arg(yearText));
    }
    ChartPeriod period;
    period.mode = ChartMode::Months;
    period.value = text;
    period.year = *year;
    period.labelStep = kMonthLabelStep;
    period.foot = text;
    period.labels = monthLabels();
    const CivilDate now = decodeDate(clock_.now());
    const int current = now.year * 100 + now.month;
    for (int m = 1; m <= 12; ++m) {
        if (*year * 100 + m <= current) period.chargedCount = m;
    }
    return period;
}

ChartSeries ChartData::series(Activity activity, const ChartPeriod& period) {
    const bool perPointQueries =
        queries_ == ChartQueries::PerPoint ||
        (queries_ == ChartQueries::Fastest && period.mode == ChartMode::Months);
    const std::vector<int> minutes =
        perPointQueries ? perPoint(activity, period) : grouped(activity, period);
    ChartSeries points;
    points.reserve(static_cast<size_t>(period.labels.size()));
    for (qsizetype i = 0; i < period.labels.size(); ++i) {
        ChartPoint point{period.labels[i], std::nullopt};
        if (i < period.chargedCount) point.minutes = minutes[static_cast<size_t>(i)];
        points.push_back(std::move(point));
    }
    return points;
}

// One statement per point up to today, as many as there are charted days or months.
std::vector<int> ChartData::perPoint(Activity activity, const ChartPeriod& period) {
    const bool pc = activity == Activity::Pc;
    const bool days = period.mode == ChartMode::Days;
    const Stmt stmt = days ? (pc ? Stmt::S24 : Stmt::S25) : (pc ? Stmt::S26 : Stmt::S27);
    const QString tempo = QStringLiteral("TEMPO");
    Query& query = module_.adoquery;
    std::vector<int> minutes;
    for (int i = 1; i <= period.chargedCount; ++i) {
        query.close();
        query.setStatement(stmt);
        if (days) {
            query.setInteger(QStringLiteral("giorno"), i);
            query.setText(QStringLiteral("mese"), period.value);
        } else {
            query.setInteger(QStringLiteral("mese"), i);
            query.setText(QStringLiteral("anno"), period.value);
        }
        query.open();
        PeriodSums sums;
        for (const Row& row : query.rows()) sums.add(0, 0, row.dateTime(tempo));
        query.close();
        minutes.push_back(minutesOf(sums));
    }
    return minutes;
}

// The rows of the whole month (year) in one statement, each counted on the day (month) its start
// falls in; rows of days still to come are left out, as the per-point statements never ask
// for them.
std::vector<int> ChartData::grouped(Activity activity, const ChartPeriod& period) {
    const bool pc = activity == Activity::Pc;
    const bool days = period.mode == ChartMode::Days;
    const Columns columns = columnsOf(activity);
    // The first instant of every point and of the one after the last.
    std::vector<DateTime> bounds;
    if (days) {
        const int count = daysInMonth(period.year, period.month);
        for (int d = 1; d <= count + 1; ++d)
            bounds.push_back(encodeDate(period.year, period.month, 1) + d - 1);
    } else {
        for (int m = 1; m <= 12; ++m) bounds.push_back(encodeDate(period.year, m, 1));
        bounds.push_back(encodeDate(period.year + 1, 1, 1));
    }

    Query& query = module_.adoquery;
    query.close();
    query.setStatement(days ? (pc ? Stmt::S8 : Stmt::S5) : (pc ? Stmt::S7 : Stmt::S4));
    query.setText(days ? QStringLiteral("mese") : QStringLiteral("anno"), period.value);
    query.open();
    std::vector<PeriodSums> sums(static_cast<size_t>(period.chargedCount));
    for (const Row& row : query.rows()) {
        const DateTime start = row.dateTime(columns.start);
        const auto next = std::upper_bound(bounds.begin(), bounds.end(), start);
        if (next == bounds.begin() || next == bounds.end()) continue;
        const auto index = static_cast<size_t>(next - bounds.begin() - 1);
        if (index < sums.size()) sums[index].add(0, 0, row.dateTime(columns.duration));
    }
    query.close();
    std::vector<int> minutes;
    minutes.reserve(sums.size());
    for (const PeriodSums& s : sums) minutes.push_back(minutesOf(s));
    return minutes;
}

QStringList ChartData::monthList() {
    return PeriodTotals(module_).monthList(Activity::Pc);
}

QStringList ChartData::yearList() {
    return PeriodTotals(module_).yearList(Activity::Pc);
}

QString chartMarkText(const QString& renderedValue) {
    constexpr qint64 kCap = 1'000'000'000'000LL;  // far beyond any count of minutes
    qint64 minutes = 0;
    for (const QChar c : renderedValue) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) continue;
        minutes = std::min(kCap, minutes * 10 + (c.unicode() - '0'));
    }
    if (minutes == 0) return {};
    return QStringLiteral("%1.%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace telmora
