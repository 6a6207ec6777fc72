// Period reports of PC time on a database of a million sessions: the catalogue's day, month and
// year statements (index ranges, run through the data module) against the same filters written
// on the column, which no index can serve and which therefore read the whole table.

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QString>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "HistoryDb.h"
#include "uDataModule.h"
#include "uDateTime.h"
#include "uSqlFunctions.h"

namespace telmora {
namespace {

constexpr long kPcRows = 1'000'000;

// The period every benchmark asks for, in the middle of the generated years.
const QString kDay = QStringLiteral("15/06/2016");
const QString kMonth = QStringLiteral("2016/06");
const QString kYear = QStringLiteral("2016");

enum class Period { Day, Month, Year };

struct Store {
    QTemporaryDir dir;
    QString path;
    std::unique_ptr<TDataModule1> module;
    sqlite3* raw = nullptr;
};
Store* store = nullptr;

// The catalogue's statement through adoquery, as the period report runs it.
long indexed(Period period) {
    Query& q = store->module->adoquery;
    switch (period) {
        case Period::Day:
            q.setStatement(Stmt::S6);
            q.setText(QStringLiteral("data"), kDay);
            break;
        case Period::Month:
            q.setStatement(Stmt::S8);
            q.setText(QStringLiteral("mese"), kMonth);
            break;
        case Period::Year:
            q.setStatement(Stmt::S7);
            q.setText(QStringLiteral("anno"), kYear);
            break;
    }
    q.open();
    const long rows = q.recordCount();
    q.close();
    return rows;
}

// The same filter on a function of the column: every row of the table is read and tested.
long scanned(Period period) {
    const char* sql = nullptr;
    switch (period) {
        case Period::Day:
            sql = "SELECT * FROM PCTIME WHERE CAST(PCSTART AS INTEGER) = ?";
            break;
        case Period::Month:
            sql = "SELECT * FROM PCTIME WHERE tm_month_key(PCSTART) = ?";
            break;
        case Period::Year:
            sql = "SELECT * FROM PCTIME WHERE tm_year_of(PCSTART) = ?";
            break;
    }
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(store->raw, sql, -1, &s, nullptr) != SQLITE_OK) std::abort();
    switch (period) {
        case Period::Day:
            sqlite3_bind_int64(s, 1, static_cast<sqlite3_int64>(*parseDayText(kDay)));
            break;
        case Period::Month:
            sqlite3_bind_text(s, 1, "2016/06", -1, SQLITE_STATIC);
            break;
        case Period::Year:
            sqlite3_bind_int(s, 1, *parseYearText(kYear));
            break;
    }
    long rows = 0;
    double sum = 0;
    while (sqlite3_step(s) == SQLITE_ROW) {
        sum +=
            sqlite3_column_double(s, 0) + sqlite3_column_double(s, 1) + sqlite3_column_double(s, 2);
        ++rows;
    }
    benchmark::DoNotOptimize(sum);
    sqlite3_finalize(s);
    return rows;
}

template <long (*run)(Period)>
void measure(benchmark::State& state, Period period) {
    long rows = 0;
    for (auto _ : state) rows = run(period);
    state.counters["rows"] = static_cast<double>(rows);
}

void BM_IndexedDay(benchmark::State& s) {
    measure<indexed>(s, Period::Day);
}
void BM_ScannedDay(benchmark::State& s) {
    measure<scanned>(s, Period::Day);
}
void BM_IndexedMonth(benchmark::State& s) {
    measure<indexed>(s, Period::Month);
}
void BM_ScannedMonth(benchmark::State& s) {
    measure<scanned>(s, Period::Month);
}
void BM_IndexedYear(benchmark::State& s) {
    measure<indexed>(s, Period::Year);
}
void BM_ScannedYear(benchmark::State& s) {
    measure<scanned>(s, Period::Year);
}

BENCHMARK(BM_IndexedDay)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScannedDay)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IndexedMonth)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScannedMonth)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IndexedYear)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScannedYear)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace telmora

int main(int argc, char** argv) {
    using namespace telmora;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    Store s;
    s.path = s.dir.filePath(QStringLiteral("telmora.mdb"));
    bench::HistorySpec shape;
    shape.pcRows = kPcRows;
    shape.etimeRows = 1'000;
    shape.urlRows = 100;
    std::fprintf(stderr, "Generating %ld PC sessions...\n", shape.pcRows);
    bench::createHistoryDatabase(s.path, shape);
    s.module = std::make_unique<TDataModule1>(s.path);
    sqlite3_open_v2(s.path.toUtf8().constData(), &s.raw, SQLITE_OPEN_READONLY, nullptr);
    const QByteArray key = QByteArrayLiteral("PRAGMA key = '") + TDataModule1::kPassword + "';";
    sqlite3_exec(s.raw, key.constData(), nullptr, nullptr, nullptr);
    registerSqlFunctions(s.raw);
    store = &s;

    // Both ways must find the same rows, or the comparison means nothing.
    for (const Period p : {Period::Day, Period::Month, Period::Year}) {
        const long a = indexed(p), b = scanned(p);
        if (a != b || a == 0) {
            std::fprintf(stderr, "The index and the scan disagree: %ld rows against %ld\n", a, b);
            return 1;
        }
    }

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    store = nullptr;
    sqlite3_close_v2(s.raw);
    return 0;
}
