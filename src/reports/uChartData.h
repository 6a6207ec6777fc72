#pragma once
// The data behind the usage chart: for a month, one point per day; for a year, one point per
// month; each point holds the minutes of PC use or of Internet connection, or nothing for a day
// or month that has not come yet. No widgets: the chart window and any other drawing use it.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "IClock.h"
#include "uDataModule.h"
#include "uPeriodTotals.h"

namespace telmora {

enum class ChartMode { Days, Months };

// How the minutes are read: one statement per point and series, or one statement per series
// whose rows are shared out among the points. Both give the same numbers. Measured on twenty
// years of history, the grouped month is the cheaper (2 statements in place of up to 62) and
// the per-point year is (its statements read one column, the grouped year whole rows), so
// Fastest takes each where it wins.
enum class ChartQueries { PerPoint, Grouped, Fastest };

// The frame of one chart: the points' labels, the foot text and the left axis's label step.
struct ChartPeriod {
    ChartMode mode = ChartMode::Days;
    QString value;  // the month key yyyy/mm or the year yyyy, trimmed
    int year = 0;
    int month = 0;         // day mode only
    QStringList labels;    // one per point; a line break splits a label into two lines
    int chargedCount = 0;  // the points up to today (or the current month); the rest are null
    QString foot;
    int labelStep = 30;
};

struct ChartPoint {
    QString label;
    std::optional<int> minutes;  // none: a null point, drawn as its label only
};

using ChartSeries = std::vector<ChartPoint>;

class ChartData {
public:
    ChartData(TDataModule1& module, const IClock& clock,
              ChartQueries queries = ChartQueries::Fastest)
        : module_(module), clock_(clock), queries_(queries) {}

    static const QStringList& monthLabels();  // GEN .. DIC
    static const QStringList& dayLabels();    // LU .. DO, Monday first

    // A malformed month key or year raises Error before the database is touched.
    ChartPeriod monthPeriod(const QString& monthKey) const;
    ChartPeriod yearPeriod(const QString& yearText) const;

    // The points of one series (PC from PCTIME, Internet from ETIME); a failing statement
    // raises Error.
    ChartSeries series(Activity activity, const ChartPeriod& period);

    // The pickable months and years: those present in PCTIME, newest first.
    QStringList monthList();
    QStringList yearList();

private:
    std::vector<int> perPoint(Activity activity, const ChartPeriod& period);
    std::vector<int> grouped(Activity activity, const ChartPeriod& period);

    TDataModule1& module_;
    const IClock& clock_;
    ChartQueries queries_;
};

// The text of a point's mark from the value as the chart renders it (thousands separators and
// all): its digits read as minutes give "h.mm", and no minutes give an empty mark.
QString chartMarkText(const QString& renderedValue);

}  // namespace telmora
