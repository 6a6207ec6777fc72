// Compaction of twenty years of history (1,000,000 PCTIME, 500,000 ETIME, 5,000 URL rows): the
// engine's copy, its check and the rename, as the program runs it before a backup. Each run
// starts from the same uncompacted file, with a tenth of the PC rows deleted.

#include <benchmark/benchmark.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

#include "HistoryDb.h"
#include "uCompaction.h"
#include "uDataModule.h"
#include "uDatabaseFile.h"

namespace telmora {
namespace {

QTemporaryDir* dir = nullptr;
QString pristine;  // the uncompacted file every run starts from

void BM_Compact(benchmark::State& state) {
    const QString live = dir->filePath(QStringLiteral("telmora.mdb"));
    CompactionContext context;
    context.tempFolder = dir->path();
    context.pause = [](std::chrono::milliseconds) {};  // the fixed 1000 ms wait is left out
    qint64 before = 0, after = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(live);
        QFile::copy(pristine, live);
        before = QFileInfo(live).size();
        TDataModule1 data(live);
        state.ResumeTiming();
        if (Compact(data, context) != CompactionOutcome::Compacted) {
            state.SkipWithError("compaction failed");
        }
        after = QFileInfo(live).size();
    }
    state.counters["MB_before"] = static_cast<double>(before) / 1e6;
    state.counters["MB_after"] = static_cast<double>(after) / 1e6;
}
BENCHMARK(BM_Compact)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace telmora

int main(int argc, char** argv) {
    QTemporaryDir tmp;
    telmora::dir = &tmp;
    telmora::pristine = tmp.filePath(QStringLiteral("history.mdb"));
    telmora::bench::createHistoryDatabase(telmora::pristine, telmora::bench::HistorySpec{});
    {
        telmora::KeyedConnection db(telmora::pristine, telmora::KeyedConnection::Mode::ReadWrite);
        db.exec("DELETE FROM PCTIME WHERE rowid % 10 = 0;");
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
