#pragma once
// The command line of telmora-report: which report, on which database, for which period.

#include <QString>
#include <QStringList>
#include <optional>

#include "uPeriodTotals.h"

namespace telmora::report {

enum class Mode { Totals, Lists, Calls, Pages, Chart };

struct Options {
    Mode mode = Mode::Totals;
    QString database;
    std::optional<Activity> activity;
    std::optional<PeriodKind> kind;
    QString period;
    QString out;  // the chart's file
};

extern const char* const kUsage;

// args as the program received them, its own name first; defaultDatabase is used without
// --db. Nothing when the arguments do not make one whole request.
std::optional<Options> parseOptions(const QStringList& args, const QString& defaultDatabase);

// True when args ask for the chart, which needs a graphical application before they are parsed.
bool asksForChart(int argc, char** argv);

}  // namespace telmora::report
