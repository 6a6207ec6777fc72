// telmora-report: the windows' reports printed for scripts and checks, and the usage chart drawn
// into a file for scheduled jobs.
//   telmora-report [--db PATH] (--internet | --pc) (--day dd/mm/yyyy | --month yyyy/mm | --year
//   yyyy)
//   telmora-report [--db PATH] --lists (--internet | --pc)
//   telmora-report [--db PATH] --calls (--day dd/mm/yyyy | --month yyyy/mm | --year yyyy)
//   telmora-report [--db PATH] --pages [--day dd/mm/yyyy]
//   telmora-report [--db PATH] --chart (--month yyyy/mm | --year yyyy) --out FILE
// A report prints the four labels one per line (the longest session keeps its own CR LF line
// breaks); --lists prints the month list, then the year list, newest first; --calls prints one
// line per call, start, end, duration and name separated by tabs, each followed by its pages
// indented by a tab; --pages prints the lines of the visited-pages window (all pages newest
// first, or one day's oldest first).

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <memory>

#include "ReportChart.h"
#include "ReportOptions.h"
#include "uCallList.h"
#include "uDataModule.h"
#include "uError.h"
#include "uPages.h"
#include "uPagesStore.h"
#include "uPeriodTotals.h"

namespace {

using namespace telmora;
using report::Mode;
using report::Options;

constexpr int kFailure = 2;

void printLine(const QString& text) {
    const QByteArray utf8 = text.toUtf8() + '\n';
    std::fwrite(utf8.constData(), 1, static_cast<size_t>(utf8.size()), stdout);
}

CallsTag callsTagOf(PeriodKind kind) {
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

QStringList totalsLines(TDataModule1& module, const Options& o) {
    PeriodTotals totals(module);
    if (o.mode == Mode::Lists) {
        const QStringList months = totals.monthList(*o.activity);
        const QStringList years = totals.yearList(*o.activity);
        return months + years;
    }
    const PeriodReport report = totals.compute(*o.activity, *o.kind, o.period);
    return {report.lbltot, report.lblcalls, report.lblmax, report.lblurl};
}

QStringList callsLines(TDataModule1& module, const Options& o) {
    const std::optional<CallListing> listing =
        loadCalls(module, callsTagOf(*o.kind), checkedPeriod(*o.kind, o.period));
    QStringList lines;
    if (!listing) return lines;
    const QChar tab(QLatin1Char('\t'));
    for (const CallRecord& call : listing->calls) {
        lines << (pageDateText(call.start) + tab + pageDateText(call.stop) + tab +
                  timeText(call.duration) + tab + call.name);
        for (const QString& page : callPages(module, call.start, call.stop)) lines << tab + page;
    }
    return lines;
}

QStringList pagesLines(TDataModule1& module, const Options& o) {
    const PageListing listing =
        o.kind ? dayPages(module, checkedPeriod(*o.kind, o.period)) : allPages(module);
    return listing.lines;
}

// Everything that can be told wrong from the arguments alone, so that a bad request never
// opens (or creates) the database.
void checkRequest(const Options& o) {
    if (o.kind && o.mode != Mode::Lists) checkedPeriod(*o.kind, o.period);
    if (o.mode == Mode::Chart) report::chartFormat(o.out);
}

}  // namespace

int main(int argc, char** argv) {
    // The chart is drawn by widgets, which need a graphical application even without a display.
    std::unique_ptr<QCoreApplication> app;
    if (report::asksForChart(argc, argv)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
        }
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    const std::optional<Options> options = report::parseOptions(
        QCoreApplication::arguments(),
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("telmora.mdb")));
    if (!options) {
        std::fputs(report::kUsage, stderr);
        return kFailure;
    }
    try {
        checkRequest(*options);
        TDataModule1 module(options->database);
        // Printed once whole, so that a statement failing halfway prints nothing.
        QStringList lines;
        switch (options->mode) {
            case Mode::Totals:
            case Mode::Lists:
                lines = totalsLines(module, *options);
                break;
            case Mode::Calls:
                lines = callsLines(module, *options);
                break;
            case Mode::Pages:
                lines = pagesLines(module, *options);
                break;
            case Mode::Chart: {
                const SystemClock clock;
                report::writeChart(module, clock, *options->kind, options->period, options->out);
                break;
            }
        }
        for (const QString& line : lines) printLine(line);
    } catch (const Error& e) {
        std::fprintf(stderr, "telmora-report: %s\n", e.what());
        return kFailure;
    }
    return std::fflush(stdout) == 0 ? 0 : kFailure;
}
