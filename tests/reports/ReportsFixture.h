#pragma once
// A usage database in a folder of its own, filled through the store's own writing statements
// (or, for values the program never writes itself, directly through a keyed connection).

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QTemporaryDir>

#include "StoreRows.h"
#include "uDataModule.h"
#include "uDateTime.h"

namespace telmora::test {

class ReportsDatabase {
public:
    ReportsDatabase() : path_(dir_.filePath(QStringLiteral("telmora.mdb"))) {
        TDataModule1::createDatabase(path_);
    }

    const QString& path() const { return path_; }
    QString folder() const { return dir_.path(); }
    TDataModule1& module() { return module_; }

    void addCall(DateTime start, DateTime stop, const QString& name) {
        test::addCall(module_, start, stop, name);
    }
    void addPcSession(DateTime start, DateTime stop) { test::addPcSession(module_, start, stop); }

    void addPage(DateTime when,
                 const QString& url = QStringLiteral("\"http://example.org/\",\"Esempio\"")) {
        Query& q = module_.adoqueryurl;
        q.setStatement(Stmt::S21);
        q.setDateTime(QStringLiteral("data"), when);
        q.setText(QStringLiteral("url"), url);
        q.execute();
    }

    // A call whose stored values are exactly these, e.g. a duration with a fraction of a second.
    void addRawCall(DateTime start, DateTime stop, DateTime duration, const char* name) {
        module_.closeConnection();
        sqlite3* db = nullptr;
        sqlite3_stmt* insert = nullptr;
        const std::string key = std::string("PRAGMA key = '") + TDataModule1::kPassword + "';";
        ASSERT_EQ(sqlite3_open_v2(path_.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr),
                  SQLITE_OK);
        sqlite3_exec(db, key.c_str(), nullptr, nullptr, nullptr);
        EXPECT_EQ(
            sqlite3_prepare_v2(db, "INSERT INTO ETIME VALUES (?, ?, ?, ?)", -1, &insert, nullptr),
            SQLITE_OK);
        sqlite3_bind_double(insert, 1, start);
        sqlite3_bind_double(insert, 2, stop);
        sqlite3_bind_double(insert, 3, duration);
        sqlite3_bind_text(insert, 4, name, -1, SQLITE_STATIC);
        EXPECT_EQ(sqlite3_step(insert), SQLITE_DONE);
        sqlite3_finalize(insert);
        sqlite3_close_v2(db);
    }

private:
    QTemporaryDir dir_;
    QString path_;
    TDataModule1 module_{path_};
};

}  // namespace telmora::test
