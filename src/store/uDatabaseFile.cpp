#include "uDatabaseFile.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>

#include "uDataModule.h"
#include "uError.h"

namespace telmora {

KeyedConnection::KeyedConnection(const QString& path, Mode mode) : path_(path) {
    int flags = SQLITE_OPEN_READONLY;
    if (mode == Mode::ReadWrite) flags = SQLITE_OPEN_READWRITE;
    // Databases attached to the connection take its flags: creating one needs the create flag,
    // and the main file is never created here.
    if (mode == Mode::ReadWriteAttaching) {
        if (!QFileInfo::exists(path)) {
            throw Error(QStringLiteral("TDataModule1"),
                        describeEngineError(SQLITE_CANTOPEN, nullptr, path));
        }
        flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    }
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = describeEngineError(rc, db_, path_);
        sqlite3_close_v2(db_);
        throw Error(QStringLiteral("TDataModule1"), message);
    }
    try {
        const QByteArray key = QByteArrayLiteral("PRAGMA key = '") + TDataModule1::kPassword + "';";
        exec(key.constData());
        // A wrong key or a file that is no database shows on the first read.
        exec("SELECT count(*) FROM sqlite_master;");
    } catch (...) {
        sqlite3_close_v2(db_);
        throw;
    }
}

KeyedConnection::~KeyedConnection() {
    sqlite3_close_v2(db_);
}

void KeyedConnection::fail(int rc) {
    throw Error(QStringLiteral("TDataModule1"), describeEngineError(rc, db_, path_));
}

void KeyedConnection::exec(const char* sql) {
    const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) fail(rc);
}

QString KeyedConnection::single(const char* sql) {
    sqlite3_stmt* s = nullptr;
    int rc = sqlite3_prepare_v2(db_, sql, -1, &s, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(s);
        fail(rc);
    }
    rc = sqlite3_step(s);
    QString value;
    if (rc == SQLITE_ROW) {
        value = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
    }
    sqlite3_finalize(s);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) fail(rc);
    return value;
}

TableCounts KeyedConnection::counts() {
    TableCounts out;
    for (size_t i = 0; i < kTables.size(); ++i) {
        out[i] = single(QByteArray("SELECT count(*) FROM ").append(kTables[i]).constData());
    }
    return out;
}

bool KeyedConnection::hasTables() {
    for (const char* table : kTables) {
        const QByteArray sql =
            QByteArray("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = '")
                .append(table)
                .append("';");
        if (single(sql.constData()) != QStringLiteral("1")) return false;
    }
    return true;
}

bool KeyedConnection::intact() {
    return single("PRAGMA integrity_check;") == QStringLiteral("ok");
}

QString unusableDatabaseReason(const QString& path) {
    try {
        KeyedConnection db(path, KeyedConnection::Mode::ReadOnly);
        if (!db.hasTables()) {
            return QStringLiteral("Il file %1 non contiene le tabelle di Telmora.").arg(path);
        }
        if (!db.intact()) return QStringLiteral("Il database %1 è danneggiato.").arg(path);
    } catch (const Error& e) {
        return e.message();
    }
    return {};
}

void settleLeftJournal(const QString& path) {
    if (!QFileInfo::exists(path + QStringLiteral("-journal")) || !QFileInfo::exists(path)) return;
    try {
        KeyedConnection db(path, KeyedConnection::Mode::ReadWrite);
    } catch (const Error&) {
        // The file cannot be read with the key: its journal can never be played back into it,
        // and must not be played into the file that replaces it.
    }
    QFile::remove(path + QStringLiteral("-journal"));
}

}  // namespace telmora
