#include "ReportOptions.h"

#include <cstring>

namespace telmora::report {

const char* const kUsage =
    "Uso: telmora-report [--db PERCORSO] (--internet | --pc) "
    "(--day gg/mm/aaaa | --month aaaa/mm | --year aaaa)\n"
    "     telmora-report [--db PERCORSO] --lists (--internet | --pc)\n"
    "     telmora-report [--db PERCORSO] --calls "
    "(--day gg/mm/aaaa | --month aaaa/mm | --year aaaa)\n"
    "     telmora-report [--db PERCORSO] --pages [--day gg/mm/aaaa]\n"
    "     telmora-report [--db PERCORSO] --chart (--month aaaa/mm | --year aaaa) "
    "--out FILE(.bmp|.png)\n";

namespace {

// Whether the pieces given make the request their mode asks for.
bool complete(const Options& o) {
    const bool period = o.kind.has_value();
    const bool out = !o.out.isEmpty();
    switch (o.mode) {
        case Mode::Totals:
            return o.activity && period && !out;
        case Mode::Lists:
            return o.activity && !period && !out;
        case Mode::Calls:
            return !o.activity && period && !out;
        case Mode::Pages:
            return !o.activity && (!period || *o.kind == PeriodKind::Day) && !out;
        case Mode::Chart:
            return !o.activity && period && *o.kind != PeriodKind::Day && out;
    }
    return false;
}

}  // namespace

std::optional<Options> parseOptions(const QStringList& args, const QString& defaultDatabase) {
    Options o;
    o.database = defaultDatabase;
    bool databaseGiven = false;
    bool modeGiven = false;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        auto setActivity = [&](Activity activity) {
            if (o.activity) return false;
            o.activity = activity;
            return true;
        };
        auto setPeriod = [&](PeriodKind kind) {
            if (o.kind || !hasValue) return false;
            o.kind = kind;
            o.period = args[++i];
            return true;
        };
        auto setMode = [&](Mode mode) {
            if (modeGiven) return false;
            o.mode = mode;
            modeGiven = true;
            return true;
        };
        bool ok = true;
        if (a == QLatin1String("--db") && hasValue && !databaseGiven) {
            o.database = args[++i];
            databaseGiven = true;
        } else if (a == QLatin1String("--out") && hasValue && o.out.isEmpty() &&
                   !args[i + 1].isEmpty()) {
            o.out = args[++i];
        } else if (a == QLatin1String("--internet")) {
            ok = setActivity(Activity::Internet);
        } else if (a == QLatin1String("--pc")) {
            ok = setActivity(Activity::Pc);
        } else if (a == QLatin1String("--day")) {
            ok = setPeriod(PeriodKind::Day);
        } else if (a == QLatin1String("--month")) {
            ok = setPeriod(PeriodKind::Month);
        } else if (a == QLatin1String("--year")) {
            ok = setPeriod(PeriodKind::Year);
        } else if (a == QLatin1String("--lists")) {
            ok = setMode(Mode::Lists);
        } else if (a == QLatin1String("--calls")) {
            ok = setMode(Mode::Calls);
        } else if (a == QLatin1String("--pages")) {
            ok = setMode(Mode::Pages);
        } else if (a == QLatin1String("--chart")) {
            ok = setMode(Mode::Chart);
        } else {
            ok = false;
        }
        if (!ok) return std::nullopt;
    }
    if (!complete(o)) return std::nullopt;
    return o;
}

bool asksForChart(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--chart") == 0) return true;
    }
    return false;
}

}  // namespace telmora::report
