#pragma once
// Helpers of the store tests: a raw keyed connection to a database file, and a way to run a
// piece of a test without root's privileges (root ignores file modes, the program's user does not).

#include <QString>
#include <QStringList>
#include <functional>
#include <ostream>
#include <string>

struct sqlite3;

// Failures print texts as text rather than as arrays of UTF-16 units.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace telmora::test {

// A connection of its own to a database file, keyed like the program's (or with another key; an
// empty key leaves the file unencrypted) and with the tm_* functions, for preparing fixtures and
// looking at the file behind the data module's back.
class RawDb {
public:
    explicit RawDb(const QString& path, const char* key = nullptr);
    ~RawDb();
    RawDb(const RawDb&) = delete;
    RawDb& operator=(const RawDb&) = delete;

    void exec(const QString& sql);    // fails the test on error
    int tryExec(const QString& sql);  // the engine's result code
    // The first column of every row, as text.
    QStringList column(const QString& sql);
    sqlite3* handle() const { return db_; }

private:
    sqlite3* db_ = nullptr;
};

// Runs body in a forked child that has given up root (when the tests run as root) and returns
// the text body returned, or the message of the telmora::Error it threw prefixed by "error: ".
std::string runWithoutRoot(const std::function<std::string()>& body);

// Hands a file or folder to the user runWithoutRoot switches to (nothing when not root).
void handToUnprivilegedUser(const QString& path);

QByteArray fileBytes(const QString& path);

}  // namespace telmora::test
