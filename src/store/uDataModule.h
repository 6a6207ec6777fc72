#pragma once
// The data module: the one connection to the password-protected usage database and the query
// objects through which every part of the program reads and writes it.
//
// The connection opens itself with the first statement and stays open until closeConnection().
// One mutex serialises every statement, so the main thread and the two workers may each use
// their own query object at the same time. A query object reads all its rows into memory and
// releases the lock before its caller looks at them.

#include <QString>
#include <QVariant>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <variant>
#include <vector>

#include "uCatalogue.h"
#include "uDateTime.h"

struct sqlite3;

namespace telmora {

class TDataModule1;

namespace detail {

// A cell as the engine returned it. Texts live beside the cells, so that a cell is plain data
// and a large result grows without constructing or moving strings.
struct Cell {
    enum class Kind : quint8 { Null, Integer, Real, Text };
    Kind kind = Kind::Null;
    qint64 integer = 0;  // the number, or the index of the text in ResultTable::texts
    double real = 0;
};

// Every cell of one result, row after row, in one block: a large result costs no allocation
// per row or per cell.
struct ResultTable {
    std::vector<QString> columns;
    std::vector<Cell> cells;
    std::vector<QString> texts;

    void clear() {  // keeps the memory for the next result
        columns.clear();
        cells.clear();
        texts.clear();
    }
};

}  // namespace detail

// One row of a result, its columns read by name.
class Row {
public:
    Row(std::shared_ptr<const std::vector<QString>> columns, std::vector<QVariant> values);
    // The row of table whose first cell is cells[firstCell].
    Row(std::shared_ptr<const detail::ResultTable> table, size_t firstCell)
        : table_(std::move(table)), first_(firstCell) {}

    QVariant value(const QString& column) const;  // throws when the column is unknown
    DateTime dateTime(const QString& column) const;
    QString text(const QString& column) const;
    qint64 integer(const QString& column) const;

private:
    const detail::Cell& cell(const QString& column) const;

    std::shared_ptr<const detail::ResultTable> table_;
    size_t first_ = 0;
};

// A query object: close, set its statement, set its parameters by name, then execute or open.
//
// A query object belongs to one thread at a time: the first thread that uses it, or the worker
// that holds it through a QueryLease. A use from any other thread is a programming fault that
// the debug build stops at once.
class Query {
public:
    Query(TDataModule1& module, QString name) : module_(module), name_(std::move(name)) {}

    const QString& name() const { return name_; }

    // Makes the calling thread the owner; the query must be free or already its own.
    void bindToCurrentThread();
    // Frees the query for the next thread (a worker that ends).
    void releaseThread();
    bool ownedByCurrentThread() const;

    void close();
    void setStatement(Stmt stmt);
    void setDateTime(const QString& param, DateTime value);
    void setText(const QString& param, const QString& value);
    void setInteger(const QString& param, qint64 value);

    void execute();  // INSERT and DELETE statements
    void open();     // SELECT statements: reads every row
    bool isOpen() const { return open_; }
    const std::vector<Row>& rows() const { return rows_; }
    int recordCount() const { return static_cast<int>(rows_.size()); }

private:
    void run(bool keepRows);

    TDataModule1& module_;
    std::atomic<std::thread::id> owner_{};
    QString name_;
    std::optional<Stmt> stmt_;
    std::vector<std::pair<QString, QVariant>> params_;
    std::vector<Row> rows_;
    // The cells behind rows_; reused by the next result when no row outlives this one.
    std::shared_ptr<detail::ResultTable> table_;
    bool open_ = false;
};

// Holds a query object for the calling thread while it lives: a worker takes its own query
// object this way at its start and frees it when it ends.
class QueryLease {
public:
    explicit QueryLease(Query& query) : query_(query) { query_.bindToCurrentThread(); }
    ~QueryLease() { query_.releaseThread(); }
    QueryLease(const QueryLease&) = delete;
    QueryLease& operator=(const QueryLease&) = delete;
    Query& query() { return query_; }

private:
    Query& query_;
};

class TDataModule1 {
public:
    // The fixed key that protects the database file and every copy of it.
    static const char* const kPassword;

    explicit TDataModule1(QString databasePath);
    ~TDataModule1();
    TDataModule1(const TDataModule1&) = delete;
    TDataModule1& operator=(const TDataModule1&) = delete;

    const QString& databasePath() const { return path_; }

    Query adoquery{*this, QStringLiteral("adoquery")};
    Query adoqueryconnessione{*this, QStringLiteral("adoqueryconnessione")};
    Query adoqueryurl{*this, QStringLiteral("adoqueryurl")};
    Query ADOQueryNotify{*this, QStringLiteral("ADOQueryNotify")};

    // Closes the connection (before the file is copied or replaced, at exit, at a date change);
    // the next statement opens it again.
    void closeConnection();
    bool connected() const;

    // Keeps the database file to one thread while it is copied or replaced: the connection is
    // closed and stays closed while the hold lives. A statement of another thread waits for the
    // hold to end and then opens the file that is in place by then; a statement of the holding
    // thread would wait for itself, so it fails at once.
    class FileHold {
    public:
        explicit FileHold(TDataModule1& module);
        ~FileHold();
        FileHold(const FileHold&) = delete;
        FileHold& operator=(const FileHold&) = delete;

    private:
        TDataModule1& module_;
        std::unique_lock<std::mutex> lock_;
    };
    [[nodiscard]] FileHold holdFile() { return FileHold(*this); }

    // Creates an empty database with its tables and indexes; fails when the file exists.
    static void createDatabase(const QString& path);
    // True when the linked SQLite answers for its cipher: without it nothing may be written.
    static bool cipherAvailable();

private:
    friend class Query;
    // Runs stmt and puts its result into table; returns the number of rows.
    size_t run(Stmt stmt, const std::vector<std::pair<QString, QVariant>>& params,
               detail::ResultTable& table);
    void openLocked();

    QString path_;
    mutable std::mutex mutex_;
    sqlite3* db_ = nullptr;
    std::atomic<std::thread::id> holder_{};  // the thread of the live FileHold, if any
};

// The engine's result code told in the program's own words (the engine's text for the rest).
QString describeEngineError(int code, sqlite3* db, const QString& path);

}  // namespace telmora
