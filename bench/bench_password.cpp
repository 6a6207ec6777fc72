// The password codec and the password file: what a save, a check at the prompt, and the
// disguised file name cost.

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "uPasswordCodec.h"
#include "uPasswordFile.h"

namespace {

using namespace telmora;

void BM_EncodePassword(benchmark::State& state) {
    const QByteArray password(static_cast<int>(state.range(0)), 'x');
    const QByteArray key = NewPasswordKey();
    for (auto _ : state) benchmark::DoNotOptimize(EncodePassword(password, key, 5, 0));
}
BENCHMARK(BM_EncodePassword)->Arg(8)->Arg(40);

void BM_DecodePassword(benchmark::State& state) {
    const QByteArray password(static_cast<int>(state.range(0)), 'x');
    const QByteArray key = NewPasswordKey();
    const QByteArray encoded = EncodePassword(password, key, 5, 0);
    for (auto _ : state) benchmark::DoNotOptimize(DecodePassword(encoded, key));
}
BENCHMARK(BM_DecodePassword)->Arg(8)->Arg(40);

void BM_PasswordFileName(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(PasswordFileName(QStringLiteral("telmora")));
}
BENCHMARK(BM_PasswordFileName);

// A save replaces the file on disk in one step (written, synced, renamed).
void BM_SavePassword(benchmark::State& state) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("p.qrlt"));
    for (auto _ : state) SavePassword(file, QStringLiteral("segreto"));
}
BENCHMARK(BM_SavePassword)->Unit(benchmark::kMicrosecond);

void BM_ReadPassword(benchmark::State& state) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("p.qrlt"));
    SavePassword(file, QStringLiteral("segreto"));
    for (auto _ : state) benchmark::DoNotOptimize(ReadPassword(file));
}
BENCHMARK(BM_ReadPassword)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
