#pragma once
// A database file looked at on its own, outside the data module: opened with the program's
// key, its tables counted, its pages checked. Used on copies before they replace the live file.

#include <QString>
#include <array>

struct sqlite3;

namespace telmora {

inline constexpr std::array<const char*, 3> kTables{"ETIME", "PCTIME", "URL"};
using TableCounts = std::array<QString, kTables.size()>;

// A keyed connection of its own, closed when it goes. Opening fails (Error in the program's
// words) when the file is missing, is no database or has another key.
class KeyedConnection {
public:
    // ReadWriteAttaching: read-write, and a database attached to it may be created.
    enum class Mode { ReadOnly, ReadWrite, ReadWriteAttaching };
    KeyedConnection(const QString& path, Mode mode);
    ~KeyedConnection();
    KeyedConnection(const KeyedConnection&) = delete;
    KeyedConnection& operator=(const KeyedConnection&) = delete;

    void exec(const char* sql);
    QString single(const char* sql);  // the first column of the first row, as text
    TableCounts counts();             // the row count of each table
    bool hasTables();                 // ETIME, PCTIME and URL are all there
    bool intact();                    // the engine's integrity check finds nothing

private:
    [[noreturn]] void fail(int rc);

    QString path_;
    sqlite3* db_ = nullptr;
};

// Why the file cannot stand in for the usage database (not a database, another key, a table
// missing, damaged pages), or an empty text when it can.
QString unusableDatabaseReason(const QString& path);

// A journal left beside path by a crash belongs to the file there; opening that file rolls it
// back, so a file put in its place later is never mixed with it.
void settleLeftJournal(const QString& path);

}  // namespace telmora
