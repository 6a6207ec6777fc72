// The chart's two series on twenty years of heavy use (1,000,000 PC sessions, 500,000 calls):
// a month view and a year view, read with one statement per point and series or with one
// statement per series whose rows are shared out among the points.
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
#include "IClock.h"
#include "uChartData.h"
#include "uDataModule.h"

namespace telmora::bench {
namespace {

QString g_databasePath;

// The last day of the history: every point of the charted periods has come.
class EndOfHistoryClock final : public IClock {
public:
    DateTime now() const override { return encodeDateTime(2026, 12, 31, 23, 0, 0); }
};

TDataModule1& module() {
    static TDataModule1 instance(g_databasePath);
    return instance;
}

void BM_ChartSeries(benchmark::State& state) {
    const auto queries = static_cast<ChartQueries>(state.range(0));
    const bool year = state.range(1) != 0;
    EndOfHistoryClock clock;
    ChartData data(module(), clock, queries);
    const ChartPeriod period = year ? data.yearPeriod(QStringLiteral("2016"))
                                    : data.monthPeriod(QStringLiteral("2016/03"));
    for (auto _ : state) {
        benchmark::DoNotOptimize(data.series(Activity::Pc, period));
        benchmark::DoNotOptimize(data.series(Activity::Internet, period));
    }
}

void chartArgs(benchmark::internal::Benchmark* b) {
    b->ArgNames({"queries", "year"});  // 0 per point, 1 grouped, 2 the default
    for (int queries : {0, 1, 2}) {
        for (int year : {0, 1}) b->Args({queries, year});
    }
}

BENCHMARK(BM_ChartSeries)
    ->Apply(chartArgs)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
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
