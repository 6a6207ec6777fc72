#include "uDataModule.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>

#include "uError.h"
#include "uSqlFunctions.h"

namespace telmora {
namespace {

const QString kSource = QStringLiteral("TDataModule1");

[[noreturn]] void raise(const QString& message) {
    throw Error(kSource, message);
}

// The engine's codes told in the program's own words; the engine's text is kept for the rest.
QString describe(int code, sqlite3* db, const QString& path) {
    switch (code & 0xff) {
        case SQLITE_CANTOPEN:
            return QStringLiteral(
                       "Impossibile aprire il database %1: il file non esiste o non è "
                       "accessibile.")
                .arg(path);
        case SQLITE_NOTADB:
            return QStringLiteral(
                       "Il file %1 non è un database di Telmora o la sua password non "
                       "è corretta.")
                .arg(path);
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return QStringLiteral("Il database %1 è bloccato da un altro programma.").arg(path);
        case SQLITE_READONLY:
            return QStringLiteral(
                       "Il database %1 è in sola lettura: impossibile registrare i "
                       "dati.")
                .arg(path);
        case SQLITE_FULL:
            return QStringLiteral("Spazio su disco esaurito: impossibile scrivere nel database %1.")
                .arg(path);
        case SQLITE_CORRUPT:
            return QStringLiteral("Il database %1 è danneggiato.").arg(path);
        default:
            return QStringLiteral("Errore del database: %1")
                .arg(db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::number(code));
    }
}

struct Statement {
    sqlite3_stmt* handle = nullptr;
    ~Statement() { sqlite3_finalize(handle); }
};

void exec(sqlite3* db, const char* sql, const QString& path) {
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) raise(describe(rc, db, path));
}

QVariant columnValue(sqlite3_stmt* s, int i) {
    switch (sqlite3_column_type(s, i)) {
        case SQLITE_INTEGER:
            return QVariant::fromValue<qint64>(sqlite3_column_int64(s, i));
        case SQLITE_FLOAT:
            return sqlite3_column_double(s, i);
        case SQLITE_TEXT:
            return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, i)),
                                     sqlite3_column_bytes(s, i));
        default:
            return {};
    }
}

void keyConnection(sqlite3* db) {
    const QByteArray pragma = QByteArrayLiteral("PRAGMA key = '") + TDataModule1::kPassword + "';";
    sqlite3_exec(db, pragma.constData(), nullptr, nullptr, nullptr);
}

bool answersCipher(sqlite3* db) {
    Statement s;
    if (sqlite3_prepare_v2(db, "PRAGMA cipher_version;", -1, &s.handle, nullptr) != SQLITE_OK) {
        return false;
    }
    return sqlite3_step(s.handle) == SQLITE_ROW && sqlite3_column_text(s.handle, 0) != nullptr;
}

}  // namespace

const char* const TDataModule1::kPassword = "vorlandki-quest";

// ---- Row ----

QVariant Row::value(const QString& column) const {
    for (size_t i = 0; i < columns_->size(); ++i) {
        if ((*columns_)[i].compare(column, Qt::CaseInsensitive) == 0) return values_[i];
    }
    raise(QStringLiteral("Colonna sconosciuta: %1").arg(column));
}

DateTime Row::dateTime(const QString& column) const {
    return value(column).toDouble();
}

QString Row::text(const QString& column) const {
    return value(column).toString();
}

qint64 Row::integer(const QString& column) const {
    return value(column).toLongLong();
}

// ---- Query ----

void Query::close() {
    rows_.clear();
    open_ = false;
}

void Query::setStatement(Stmt stmt) {
    close();
    stmt_ = stmt;
    params_.clear();
}

void Query::setDateTime(const QString& param, DateTime value) {
    params_.emplace_back(param, value);
}

void Query::setText(const QString& param, const QString& value) {
    params_.emplace_back(param, value);
}

void Query::setInteger(const QString& param, qint64 value) {
    params_.emplace_back(param, QVariant::fromValue(value));
}

void Query::execute() {
    run(false);
}

void Query::open() {
    run(true);
}

void Query::run(bool keepRows) {
    close();
    if (!stmt_) raise(QStringLiteral("Nessuna istruzione impostata per %1").arg(name_));
    TDataModule1::Result result = module_.run(*stmt_, params_);
    if (!keepRows) return;
    rows_.reserve(result.rows.size());
    for (auto& values : result.rows) rows_.emplace_back(result.columns, std::move(values));
    open_ = true;
}

// ---- TDataModule1 ----

TDataModule1::TDataModule1(QString databasePath) : path_(std::move(databasePath)) {}

TDataModule1::~TDataModule1() {
    closeConnection();
}

bool TDataModule1::connected() const {
    std::lock_guard lock(mutex_);
    return db_ != nullptr;
}

void TDataModule1::closeConnection() {
    std::lock_guard lock(mutex_);
    if (db_) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

void TDataModule1::openLocked() {
    if (db_) return;
    // Never created here: a missing database stays missing until one is put back.
    sqlite3* db = nullptr;
    const QByteArray file = path_.toUtf8();
    const int rc = sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = describe(rc, db, path_);
        sqlite3_close_v2(db);
        raise(message);
    }
    try {
        keyConnection(db);
        if (!answersCipher(db)) {
            raise(QStringLiteral("La cifratura del database non è disponibile: Telmora non apre "
                                 "%1 senza protezione.")
                      .arg(path_));
        }
        sqlite3_busy_timeout(db, 2000);
        // A wrong key or a file that is no database shows on the first read.
        exec(db, "SELECT count(*) FROM sqlite_master;", path_);
        exec(db, "PRAGMA journal_mode = DELETE; PRAGMA synchronous = FULL;", path_);
        registerSqlFunctions(db);
    } catch (...) {
        sqlite3_close_v2(db);
        throw;
    }
    db_ = db;
}

TDataModule1::Result TDataModule1::run(Stmt stmt,
                                       const std::vector<std::pair<QString, QVariant>>& params) {
    std::lock_guard lock(mutex_);
    openLocked();
    Statement s;
    int rc = sqlite3_prepare_v2(db_, statementSql(stmt), -1, &s.handle, nullptr);
    if (rc != SQLITE_OK) raise(describe(rc, db_, path_));
    for (const auto& [name, value] : params) {
        const QByteArray key = ":" + name.toUtf8();
        const int index = sqlite3_bind_parameter_index(s.handle, key.constData());
        if (index == 0) {
            raise(QStringLiteral("Parametro sconosciuto :%1 per l'istruzione S%2")
                      .arg(name)
                      .arg(statementNumber(stmt)));
        }
        if (value.typeId() == QMetaType::Double) {
            sqlite3_bind_double(s.handle, index, value.toDouble());
        } else if (value.typeId() == QMetaType::LongLong) {
            sqlite3_bind_int64(s.handle, index, value.toLongLong());
        } else {
            const QByteArray text = value.toString().toUtf8();
            sqlite3_bind_text(s.handle, index, text.constData(), static_cast<int>(text.size()),
                              SQLITE_TRANSIENT);
        }
    }
    Result result;
    auto columns = std::make_shared<std::vector<QString>>();
    for (int i = 0; i < sqlite3_column_count(s.handle); ++i) {
        columns->push_back(QString::fromUtf8(sqlite3_column_name(s.handle, i)));
    }
    result.columns = columns;
    while ((rc = sqlite3_step(s.handle)) == SQLITE_ROW) {
        std::vector<QVariant> row;
        row.reserve(columns->size());
        for (int i = 0; i < static_cast<int>(columns->size()); ++i) {
            row.push_back(columnValue(s.handle, i));
        }
        result.rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        // Errors of the tm_* functions are already in the program's words.
        if ((rc & 0xff) == SQLITE_ERROR) raise(QString::fromUtf8(sqlite3_errmsg(db_)));
        raise(describe(rc, db_, path_));
    }
    return result;
}

bool TDataModule1::cipherAvailable() {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        sqlite3_close_v2(db);
        return false;
    }
    keyConnection(db);
    const bool ok = answersCipher(db);
    sqlite3_close_v2(db);
    return ok;
}

void TDataModule1::createDatabase(const QString& path) {
    if (QFileInfo::exists(path)) {
        raise(QStringLiteral("Il file %1 esiste già: non viene sovrascritto.").arg(path));
    }
    if (!cipherAvailable()) raise(QStringLiteral("La cifratura del database non è disponibile."));
    sqlite3* db = nullptr;
    const QByteArray file = path.toUtf8();
    const int rc =
        sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = describe(rc, db, path);
        sqlite3_close_v2(db);
        raise(message);
    }
    try {
        keyConnection(db);
        exec(db,
             "PRAGMA journal_mode = DELETE; PRAGMA synchronous = FULL;"
             "BEGIN;"
             "CREATE TABLE ETIME (TSTART REAL, TSTOP REAL, TCONNECTION REAL, CONN_NAME TEXT);"
             "CREATE INDEX ETIME_TSTART ON ETIME (TSTART);"
             "CREATE TABLE PCTIME (PCSTART REAL, PCSTOP REAL, TPC REAL);"
             "CREATE INDEX PCTIME_PCSTART ON PCTIME (PCSTART);"
             "CREATE TABLE URL (DATA REAL, URL TEXT);"
             "CREATE INDEX URL_DATA ON URL (DATA);"
             "COMMIT;",
             path);
    } catch (...) {
        sqlite3_close_v2(db);
        QFile::remove(path);
        throw;
    }
    sqlite3_close_v2(db);
}

}  // namespace telmora
