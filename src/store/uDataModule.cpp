#include "uDataModule.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <cassert>

#include "uError.h"
#include "uSqlFunctions.h"

namespace telmora {
namespace {

const QString kSource = QStringLiteral("TDataModule1");

[[noreturn]] void raise(const QString& message) {
    throw Error(kSource, message);
}

}  // namespace

QString describeEngineError(int code, sqlite3* db, const QString& path) {
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

namespace {

QString describe(int code, sqlite3* db, const QString& path) {
    return describeEngineError(code, db, path);
}

struct Statement {
    sqlite3_stmt* handle = nullptr;
    ~Statement() { sqlite3_finalize(handle); }
};

void exec(sqlite3* db, const char* sql, const QString& path) {
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) raise(describe(rc, db, path));
}

using Kind = detail::Cell::Kind;

// The last text read from a column: long results repeat the same connection name row after row,
// and an equal text shares the string already made instead of decoding it again.
struct LastText {
    QByteArray utf8;
    qint64 index = -1;
};

void appendCell(sqlite3_stmt* s, int i, LastText& last, detail::ResultTable& table) {
    detail::Cell cell;
    switch (sqlite3_column_type(s, i)) {
        case SQLITE_INTEGER:
            cell.kind = Kind::Integer;
            cell.integer = sqlite3_column_int64(s, i);
            break;
        case SQLITE_FLOAT:
            cell.kind = Kind::Real;
            cell.real = sqlite3_column_double(s, i);
            break;
        case SQLITE_TEXT: {
            const auto* utf8 = reinterpret_cast<const char*>(sqlite3_column_text(s, i));
            const int size = sqlite3_column_bytes(s, i);
            if (last.index < 0 || QByteArrayView(utf8, size) != last.utf8) {
                last.utf8 = QByteArray(utf8, size);
                last.index = static_cast<qint64>(table.texts.size());
                table.texts.push_back(QString::fromUtf8(utf8, size));
            }
            cell.kind = Kind::Text;
            cell.integer = last.index;
            break;
        }
        default:
            break;
    }
    table.cells.push_back(cell);
}

void appendCell(const QVariant& v, detail::ResultTable& table) {
    detail::Cell cell;
    switch (v.typeId()) {
        case QMetaType::UnknownType:
            break;
        case QMetaType::Double:
            cell.kind = Kind::Real;
            cell.real = v.toDouble();
            break;
        case QMetaType::LongLong:
        case QMetaType::Int:
            cell.kind = Kind::Integer;
            cell.integer = v.toLongLong();
            break;
        default:
            cell.kind = Kind::Text;
            cell.integer = static_cast<qint64>(table.texts.size());
            table.texts.push_back(v.toString());
    }
    table.cells.push_back(cell);
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

Row::Row(std::shared_ptr<const std::vector<QString>> columns, std::vector<QVariant> values) {
    auto table = std::make_shared<detail::ResultTable>();
    table->columns = *columns;
    for (const QVariant& v : values) appendCell(v, *table);
    table_ = std::move(table);
}

const detail::Cell& Row::cell(const QString& column) const {
    const std::vector<QString>& columns = table_->columns;
    // Callers name columns as the statements spell them: the exact match is the quick one.
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i] == column) return table_->cells[first_ + i];
    }
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].compare(column, Qt::CaseInsensitive) == 0) return table_->cells[first_ + i];
    }
    raise(QStringLiteral("Colonna sconosciuta: %1").arg(column));
}

QVariant Row::value(const QString& column) const {
    const detail::Cell& c = cell(column);
    switch (c.kind) {
        case Kind::Integer:
            return QVariant::fromValue<qint64>(c.integer);
        case Kind::Real:
            return c.real;
        case Kind::Text:
            return table_->texts[static_cast<size_t>(c.integer)];
        case Kind::Null:
            break;
    }
    return {};
}

// The usual kinds are read directly; any other goes through QVariant's own conversion.
DateTime Row::dateTime(const QString& column) const {
    const detail::Cell& c = cell(column);
    return c.kind == Kind::Real ? c.real : value(column).toDouble();
}

QString Row::text(const QString& column) const {
    const detail::Cell& c = cell(column);
    return c.kind == Kind::Text ? table_->texts[static_cast<size_t>(c.integer)]
                                : value(column).toString();
}

qint64 Row::integer(const QString& column) const {
    const detail::Cell& c = cell(column);
    return c.kind == Kind::Integer ? c.integer : value(column).toLongLong();
}

// ---- Query ----

// An unowned query object is taken by its first user; from then on only that thread may use it.
void Query::bindToCurrentThread() {
    std::thread::id expected{};
    const std::thread::id self = std::this_thread::get_id();
    if (!owner_.compare_exchange_strong(expected, self)) {
        assert(expected == self && "query object already held by another thread");
    }
}

void Query::releaseThread() {
    assert(ownedByCurrentThread() && "query object freed by a thread that does not hold it");
    owner_.store(std::thread::id{});
}

bool Query::ownedByCurrentThread() const {
    return owner_.load() == std::this_thread::get_id();
}

void Query::close() {
    bindToCurrentThread();
    rows_.clear();
    open_ = false;
}

void Query::setStatement(Stmt stmt) {
    bindToCurrentThread();
    close();
    stmt_ = stmt;
    params_.clear();
}

void Query::setDateTime(const QString& param, DateTime value) {
    bindToCurrentThread();
    params_.emplace_back(param, value);
}

void Query::setText(const QString& param, const QString& value) {
    bindToCurrentThread();
    params_.emplace_back(param, value);
}

void Query::setInteger(const QString& param, qint64 value) {
    bindToCurrentThread();
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
    if (!table_ || table_.use_count() > 1) table_ = std::make_shared<detail::ResultTable>();
    table_->clear();
    const size_t rowCount = module_.run(*stmt_, params_, *table_);
    if (!keepRows) return;
    const size_t width = table_->columns.size();
    rows_.reserve(rowCount);
    for (size_t i = 0; i < rowCount; ++i) rows_.emplace_back(table_, i * width);
    open_ = true;
}

// ---- TDataModule1 ----

TDataModule1::TDataModule1(QString databasePath) : path_(std::move(databasePath)) {}

TDataModule1::~TDataModule1() {
    closeConnection();
}

bool TDataModule1::connected() const {
    if (holder_.load() == std::this_thread::get_id()) return false;  // the hold closed it
    std::lock_guard lock(mutex_);
    return db_ != nullptr;
}

void TDataModule1::closeConnection() {
    if (holder_.load() == std::this_thread::get_id()) return;  // the hold closed it
    std::lock_guard lock(mutex_);
    if (db_) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

TDataModule1::FileHold::FileHold(TDataModule1& module) : module_(module), lock_(module.mutex_) {
    if (module_.db_) {
        sqlite3_close_v2(module_.db_);
        module_.db_ = nullptr;
    }
    module_.holder_.store(std::this_thread::get_id());
}

TDataModule1::FileHold::~FileHold() {
    module_.holder_.store(std::thread::id{});
}

void TDataModule1::openLocked() {
    if (db_) return;
    // Never created here: a missing database stays missing until one is put back.
    sqlite3* db = nullptr;
    const QByteArray file = path_.toUtf8();
    // The engine's own per-call locking is left out: mutex_ already serialises every use.
    const int rc = sqlite3_open_v2(file.constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
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
        // Every page read is decrypted; a cache that holds a year of both tables lets reports
        // after the first one find their pages already decrypted.
        exec(db,
             "PRAGMA journal_mode = DELETE; PRAGMA synchronous = FULL;"
             "PRAGMA cache_size = -16384;",
             path_);
        registerSqlFunctions(db);
    } catch (...) {
        sqlite3_close_v2(db);
        throw;
    }
    db_ = db;
}

size_t TDataModule1::run(Stmt stmt, const std::vector<std::pair<QString, QVariant>>& params,
                         detail::ResultTable& table) {
    if (holder_.load() == std::this_thread::get_id()) {
        raise(QStringLiteral("Il database %1 è in corso di sostituzione: nessuna istruzione può "
                             "essere eseguita ora.")
                  .arg(path_));
    }
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
    const int width = sqlite3_column_count(s.handle);
    for (int i = 0; i < width; ++i) {
        table.columns.push_back(QString::fromUtf8(sqlite3_column_name(s.handle, i)));
    }
    size_t rowCount = 0;
    std::vector<LastText> lastTexts(static_cast<size_t>(width));
    while ((rc = sqlite3_step(s.handle)) == SQLITE_ROW) {
        for (int i = 0; i < width; ++i)
            appendCell(s.handle, i, lastTexts[static_cast<size_t>(i)], table);
        ++rowCount;
    }
    if (rc != SQLITE_DONE) {
        // Errors of the tm_* functions are already in the program's words.
        if ((rc & 0xff) == SQLITE_ERROR) raise(QString::fromUtf8(sqlite3_errmsg(db_)));
        raise(describe(rc, db_, path_));
    }
    return rowCount;
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
             // The start indexes carry every column, so a report reads its rows from the
             // index alone instead of looking each one up in the table.
             "CREATE INDEX ETIME_TSTART ON ETIME (TSTART, TSTOP, TCONNECTION, CONN_NAME);"
             "CREATE TABLE PCTIME (PCSTART REAL, PCSTOP REAL, TPC REAL);"
             "CREATE INDEX PCTIME_PCSTART ON PCTIME (PCSTART, PCSTOP, TPC);"
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
