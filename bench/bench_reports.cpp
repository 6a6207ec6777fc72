// Period totals on twenty years of heavy use: the day, month and year reports and the two
// lists through the data module (index searches), beside the same work done as scans of the
// whole table (the same filter with the column hidden from the index by "+ 0", or a function
// of it for the lists).
//
// The database is generated afresh in a temporary folder unless TELMORA_BENCH_DB names one to
// keep: an existing file there is reused as it is.

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

#include "HistoryDb.h"
#include "uDataModule.h"
#include "uPeriodSums.h"
#include "uPeriodTotals.h"
#include "uSqlFunctions.h"

namespace telmora::bench {
namespace {

QString g_databasePath;

// One period of each kind inside the generated history; the day has captured pages too.
struct Period {
    PeriodKind kind;
    const char* value;
    const char* param;
};
const Period kPeriods[] = {
    {PeriodKind::Day, "15/12/2026", ":data"},
    {PeriodKind::Month, "2016/06", ":mese"},
    {PeriodKind::Year, "2016", ":anno"},
};

TDataModule1& module() {
    static TDataModule1 instance(g_databasePath);
    return instance;
}

void BM_Report(benchmark::State& state) {
    const auto activity = static_cast<Activity>(state.range(0));
    const Period& period = kPeriods[state.range(1)];
    PeriodTotals totals(module());
    const QString value = QString::fromLatin1(period.value);
    for (auto _ : state) benchmark::DoNotOptimize(totals.compute(activity, period.kind, value));
}

void BM_List(benchmark::State& state) {
    const auto activity = static_cast<Activity>(state.range(0));
    const bool months = state.range(1) == 0;
    PeriodTotals totals(module());
    for (auto _ : state) {
        benchmark::DoNotOptimize(months ? totals.monthList(activity) : totals.yearList(activity));
    }
}

// ---- the same work as scans, on a keyed connection of its own ----

class RawConnection {
public:
    RawConnection() {
        if (sqlite3_open_v2(g_databasePath.toUtf8().constData(), &db_, SQLITE_OPEN_READONLY,
                            nullptr) != SQLITE_OK) {
            throw std::runtime_error("cannot open the database");
        }
        const std::string key = std::string("PRAGMA key = '") + TDataModule1::kPassword + "';";
        sqlite3_exec(db_, key.c_str(), nullptr, nullptr, nullptr);
        registerSqlFunctions(db_);
    }
    ~RawConnection() { sqlite3_close_v2(db_); }
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    sqlite3_stmt* prepare(const std::string& sql) {
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &s, nullptr) != SQLITE_OK) {
            throw std::runtime_error(sqlite3_errmsg(db_));
        }
        return s;
    }

private:
    sqlite3* db_ = nullptr;
};

RawConnection& raw() {
    static RawConnection instance;
    return instance;
}

struct Finalize {
    sqlite3_stmt* s;
    ~Finalize() { sqlite3_finalize(s); }
};

std::string scanFilter(PeriodKind kind, const std::string& col) {
    const std::string c = col + " + 0";
    switch (kind) {
        case PeriodKind::Day:
            return c + " >= tm_day(:data) AND " + c + " < tm_day(:data) + 1";
        case PeriodKind::Month:
            return c + " >= tm_month_first(:mese) AND " + c + " < tm_month_next(:mese)";
        case PeriodKind::Year:
            break;
    }
    return c + " >= tm_year_first(:anno) AND " + c + " < tm_year_next(:anno)";
}

void BM_ReportScan(benchmark::State& state) {
    const bool internet = static_cast<Activity>(state.range(0)) == Activity::Internet;
    const Period& period = kPeriods[state.range(1)];
    const std::string rows =
        internet ? "SELECT TSTART, TSTOP, TCONNECTION, CONN_NAME FROM ETIME WHERE " +
                       scanFilter(period.kind, "TSTART")
                 : "SELECT PCSTART, PCSTOP, TPC, NULL FROM PCTIME WHERE " +
                       scanFilter(period.kind, "PCSTART");
    Finalize query{raw().prepare(rows)};
    Finalize pages{
        raw().prepare("SELECT COUNT(DATA) FROM URL WHERE " + scanFilter(PeriodKind::Day, "DATA"))};
    const bool countPages = internet && period.kind == PeriodKind::Day;
    for (auto _ : state) {
        PeriodSums sums;
        sqlite3_reset(query.s);
        sqlite3_bind_text(query.s, sqlite3_bind_parameter_index(query.s, period.param),
                          period.value, -1, SQLITE_STATIC);
        while (sqlite3_step(query.s) == SQLITE_ROW) {
            const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(query.s, 3));
            sums.add(sqlite3_column_double(query.s, 0), sqlite3_column_double(query.s, 1),
                     sqlite3_column_double(query.s, 2), name ? QString::fromUtf8(name) : QString());
        }
        int pageCount = 0;
        if (countPages) {
            sqlite3_reset(pages.s);
            sqlite3_bind_text(pages.s, 1, period.value, -1, SQLITE_STATIC);
            if (sqlite3_step(pages.s) == SQLITE_ROW) pageCount = sqlite3_column_int(pages.s, 0);
        }
        benchmark::DoNotOptimize(sums);
        benchmark::DoNotOptimize(pageCount);
    }
}

void BM_ListScan(benchmark::State& state) {
    const bool internet = static_cast<Activity>(state.range(0)) == Activity::Internet;
    const bool months = state.range(1) == 0;
    const std::string col = internet ? "TSTART" : "PCSTART";
    const std::string table = internet ? "ETIME" : "PCTIME";
    const std::string sql = "SELECT DISTINCT " +
                            (months ? "tm_month_key(" + col + ")" : "tm_year_of(" + col + ")") +
                            " FROM " + table + " ORDER BY 1 DESC";
    Finalize query{raw().prepare(sql)};
    for (auto _ : state) {
        QStringList items;
        sqlite3_reset(query.s);
        while (sqlite3_step(query.s) == SQLITE_ROW) {
            items << QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(query.s, 0)));
        }
        benchmark::DoNotOptimize(items);
    }
}

void reportArgs(benchmark::internal::Benchmark* b) {
    b->ArgNames({"pc", "period"});
    for (int activity : {0, 1}) {
        for (int period : {0, 1, 2}) b->Args({activity, period});
    }
}

void listArgs(benchmark::internal::Benchmark* b) {
    b->ArgNames({"pc", "years"});
    for (int activity : {0, 1}) {
        for (int list : {0, 1}) b->Args({activity, list});
    }
}

// The indexed work takes milliseconds: many calls per repetition. Scans take much longer.
BENCHMARK(BM_Report)
    ->Apply(reportArgs)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(11)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_List)
    ->Apply(listArgs)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(11)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ReportScan)
    ->Apply(reportArgs)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ListScan)
    ->Apply(listArgs)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace telmora::bench

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    std::unique_ptr<QTemporaryDir> folder;
    const char* kept = std::getenv("TELMORA_BENCH_DB");
    if (kept && *kept) {
        telmora::bench::g_databasePath = QString::fromLocal8Bit(kept);
    } else {
        folder = std::make_unique<QTemporaryDir>();
        telmora::bench::g_databasePath = folder->filePath(QStringLiteral("telmora.mdb"));
    }
    if (!QFileInfo::exists(telmora::bench::g_databasePath)) {
        std::fprintf(stderr, "Generating %s ...\n", qPrintable(telmora::bench::g_databasePath));
        telmora::bench::createHistoryDatabase(telmora::bench::g_databasePath, {});
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
