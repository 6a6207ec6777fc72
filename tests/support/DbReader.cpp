#include "DbReader.h"

#include <sqlite3.h>

#include <stdexcept>

#include "uDataModule.h"
#include "uSqlFunctions.h"

namespace telmora::test {

Rows readRows(const QString& databasePath, const QString& sql) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(databasePath.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
        sqlite3_close_v2(db);
        throw std::runtime_error("cannot open " + databasePath.toStdString());
    }
    const std::string key = std::string("PRAGMA key = '") + TDataModule1::kPassword + "';";
    sqlite3_exec(db, key.c_str(), nullptr, nullptr, nullptr);
    sqlite3_busy_timeout(db, 5000);  // the program may be writing
    registerSqlFunctions(db);
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &s, nullptr) != SQLITE_OK) {
        const std::string error = sqlite3_errmsg(db);
        sqlite3_close_v2(db);
        throw std::runtime_error(error);
    }
    Rows rows;
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
        std::vector<QVariant> row;
        for (int i = 0; i < sqlite3_column_count(s); ++i) {
            switch (sqlite3_column_type(s, i)) {
                case SQLITE_INTEGER:
                    row.emplace_back(QVariant::fromValue<qint64>(sqlite3_column_int64(s, i)));
                    break;
                case SQLITE_FLOAT:
                    row.emplace_back(sqlite3_column_double(s, i));
                    break;
                case SQLITE_TEXT:
                    row.emplace_back(QString::fromUtf8(
                        reinterpret_cast<const char*>(sqlite3_column_text(s, i))));
                    break;
                default:
                    row.emplace_back();
            }
        }
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(s);
    sqlite3_close_v2(db);
    if (rc != SQLITE_DONE) throw std::runtime_error("read failed");
    return rows;
}

}  // namespace telmora::test
