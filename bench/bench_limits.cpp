// One limit check on twenty years of heavy use (500,000 calls): today's and this month's
// statements through the watcher's query object and the sums with the open connection, both
// limits on and neither reached, so every statement of a check runs.
//
// The database is generated afresh in a temporary folder unless TELMORA_BENCH_DB names one to
// keep: an existing file there is reused as it is.

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "HistoryDb.h"
#include "uDataModule.h"
#include "uLimitCheck.h"

namespace telmora::bench {
namespace {

QString g_databasePath;

TDataModule1& module() {
    static TDataModule1 instance(g_databasePath);
    return instance;
}

// A check at 18:00 on a day inside the generated history, the connection up for 40 minutes.
void BM_Check(benchmark::State& state) {
    const bool monthToo = state.range(0) != 0;
    const DateTime now = encodeDateTime(2026, 12, 15, 18, 0, 0);
    LimitSnapshot base;
    base.limits.daylimit = true;
    base.limits.hdaylimit = 23;
    base.limits.monthlimit = monthToo;
    base.limits.hmonthlimit = 600;
    base.netStart = now - 40.0 / (24 * 60);
    QueryLease lease(module().ADOQueryNotify);
    int notices = 0;
    for (auto _ : state) {
        LimitSnapshot snapshot = base;
        runLimitChecks(lease.query(), now, snapshot, [&](LimitKind) { ++notices; });
        benchmark::DoNotOptimize(snapshot.totalText);
    }
    state.counters["notices"] = notices;
}

BENCHMARK(BM_Check)
    ->ArgName("month")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(50)
    ->Repetitions(11)
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
