#include "HistoryDb.h"

#include <sqlite3.h>

#include <QFile>
#include <cmath>
#include <random>
#include <stdexcept>

#include "uDataModule.h"
#include "uDateTime.h"

namespace telmora::bench {
namespace {

void check(int rc, sqlite3* db) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        throw std::runtime_error(sqlite3_errmsg(db));
    }
}

// Inserts rows start..stop spread over [first, last), each lasting up to 90% of its slot.
void fill(sqlite3* db, const char* sql, long rows, DateTime first, DateTime last, bool withName) {
    if (rows <= 0) return;
    sqlite3_stmt* s = nullptr;
    check(sqlite3_prepare_v2(db, sql, -1, &s, nullptr), db);
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> share(0.05, 0.9);
    const double slot = (last - first) / static_cast<double>(rows);
    for (long i = 0; i < rows; ++i) {
        const DateTime start = first + slot * static_cast<double>(i);
        const DateTime stop = start + slot * share(rng);
        // Stored durations are whole seconds, as durationText writes them.
        const double seconds = std::floor((stop - start) * 86400.0);
        sqlite3_bind_double(s, 1, start);
        sqlite3_bind_double(s, 2, stop);
        sqlite3_bind_double(s, 3, seconds / 86400.0);
        if (withName) sqlite3_bind_text(s, 4, "Provider", -1, SQLITE_STATIC);
        check(sqlite3_step(s), db);
        sqlite3_reset(s);
    }
    sqlite3_finalize(s);
}

}  // namespace

void createHistoryDatabase(const QString& path, const HistorySpec& shape) {
    QFile::remove(path);
    TDataModule1::createDatabase(path);
    sqlite3* db = nullptr;
    check(sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr), db);
    const std::string key = std::string("PRAGMA key = '") + TDataModule1::kPassword + "';";
    check(sqlite3_exec(db, key.c_str(), nullptr, nullptr, nullptr), db);
    check(sqlite3_exec(db, "PRAGMA synchronous = OFF; BEGIN;", nullptr, nullptr, nullptr), db);
    const DateTime first = encodeDate(shape.lastYear - shape.years + 1, 1, 1);
    const DateTime last = encodeDate(shape.lastYear + 1, 1, 1);
    fill(db, "INSERT INTO PCTIME (PCSTART, PCSTOP, TPC) VALUES (?, ?, ?)", shape.pcRows, first,
         last, false);
    fill(db, "INSERT INTO ETIME (TSTART, TSTOP, TCONNECTION, CONN_NAME) VALUES (?, ?, ?, ?)",
         shape.etimeRows, first, last, true);
    // The page history keeps only the newest captures: the last days of the range.
    sqlite3_stmt* s = nullptr;
    check(sqlite3_prepare_v2(db, "INSERT INTO URL (DATA, URL) VALUES (?, ?)", -1, &s, nullptr), db);
    for (long i = 0; i < shape.urlRows; ++i) {
        sqlite3_bind_double(s, 1, last - 30.0 + 30.0 * static_cast<double>(i) / shape.urlRows);
        sqlite3_bind_text(s, 2, "\"http://example.org/\",\"Esempio\"", -1, SQLITE_STATIC);
        check(sqlite3_step(s), db);
        sqlite3_reset(s);
    }
    sqlite3_finalize(s);
    check(sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr), db);
    sqlite3_close_v2(db);
}

}  // namespace telmora::bench
