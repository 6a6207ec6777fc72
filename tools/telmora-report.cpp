// telmora-report: the period totals of the main window, printed for scripts and checks.
//   telmora-report [--db PATH] (--internet | --pc) (--day dd/mm/yyyy | --month yyyy/mm | --year
//   yyyy) telmora-report [--db PATH] --lists (--internet | --pc)
// A report prints the four labels one per line (the longest session keeps its own CR LF line
// breaks); --lists prints the month list, then the year list, newest first.

#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <optional>

#include "uDataModule.h"
#include "uError.h"
#include "uPeriodTotals.h"

namespace {

constexpr int kFailure = 2;

const char* const kUsage =
    "Uso: telmora-report [--db PERCORSO] (--internet | --pc) "
    "(--day gg/mm/aaaa | --month aaaa/mm | --year aaaa)\n"
    "     telmora-report [--db PERCORSO] --lists (--internet | --pc)\n";

struct Options {
    QString database;
    std::optional<telmora::Activity> activity;
    std::optional<telmora::PeriodKind> kind;
    QString period;
    bool lists = false;
};

// Returns nothing when the arguments do not make one whole request.
std::optional<Options> parse(const QStringList& args) {
    Options o;
    o.database =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("telmora.mdb"));
    bool databaseGiven = false;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        auto setActivity = [&](telmora::Activity activity) {
            if (o.activity) return false;
            o.activity = activity;
            return true;
        };
        auto setPeriod = [&](telmora::PeriodKind kind) {
            if (o.kind || !hasValue) return false;
            o.kind = kind;
            o.period = args[++i];
            return true;
        };
        bool ok = true;
        if (a == QLatin1String("--db") && hasValue && !databaseGiven) {
            o.database = args[++i];
            databaseGiven = true;
        } else if (a == QLatin1String("--internet")) {
            ok = setActivity(telmora::Activity::Internet);
        } else if (a == QLatin1String("--pc")) {
            ok = setActivity(telmora::Activity::Pc);
        } else if (a == QLatin1String("--day")) {
            ok = setPeriod(telmora::PeriodKind::Day);
        } else if (a == QLatin1String("--month")) {
            ok = setPeriod(telmora::PeriodKind::Month);
        } else if (a == QLatin1String("--year")) {
            ok = setPeriod(telmora::PeriodKind::Year);
        } else if (a == QLatin1String("--lists") && !o.lists) {
            o.lists = true;
        } else {
            ok = false;
        }
        if (!ok) return std::nullopt;
    }
    if (!o.activity || o.lists == o.kind.has_value()) return std::nullopt;
    return o;
}

void printLine(const QString& text) {
    const QByteArray utf8 = text.toUtf8() + '\n';
    std::fwrite(utf8.constData(), 1, static_cast<size_t>(utf8.size()), stdout);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::optional<Options> options = parse(app.arguments());
    if (!options) {
        std::fputs(kUsage, stderr);
        return kFailure;
    }
    try {
        telmora::TDataModule1 module(options->database);
        telmora::PeriodTotals totals(module);
        if (options->lists) {
            const QStringList months = totals.monthList(*options->activity);
            const QStringList years = totals.yearList(*options->activity);
            for (const QString& item : months + years) printLine(item);
        } else {
            const telmora::PeriodReport report =
                totals.compute(*options->activity, *options->kind, options->period);
            for (const QString* label :
                 {&report.lbltot, &report.lblcalls, &report.lblmax, &report.lblurl}) {
                printLine(*label);
            }
        }
    } catch (const telmora::Error& e) {
        std::fprintf(stderr, "telmora-report: %s\n", e.what());
        return kFailure;
    }
    return std::fflush(stdout) == 0 ? 0 : kFailure;
}
