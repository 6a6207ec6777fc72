#include "StoreTestSupport.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>

#include "uDataModule.h"
#include "uError.h"
#include "uSqlFunctions.h"

namespace telmora::test {
namespace {

constexpr uid_t kNobody = 65534;

}  // namespace

RawDb::RawDb(const QString& path, const char* key) {
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db_,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    EXPECT_EQ(rc, SQLITE_OK) << "cannot open " << path.toStdString();
    const QString chosen = QString::fromUtf8(key ? key : TDataModule1::kPassword);
    if (!chosen.isEmpty()) exec(QStringLiteral("PRAGMA key = '%1';").arg(chosen));
    registerSqlFunctions(db_);
}

RawDb::~RawDb() {
    sqlite3_close_v2(db_);
}

void RawDb::exec(const QString& sql) {
    EXPECT_EQ(tryExec(sql), SQLITE_OK) << sql.toStdString() << ": " << sqlite3_errmsg(db_);
}

int RawDb::tryExec(const QString& sql) {
    return sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
}

QStringList RawDb::column(const QString& sql) {
    QStringList values;
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &s, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << sql.toStdString() << ": " << sqlite3_errmsg(db_);
        return values;
    }
    while (sqlite3_step(s) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
        values << (text ? QString::fromUtf8(text) : QString());
    }
    sqlite3_finalize(s);
    return values;
}

std::string runWithoutRoot(const std::function<std::string()>& body) {
    int fds[2];
    if (::pipe(fds) != 0) {
        ADD_FAILURE() << "pipe failed";
        return {};
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        std::string out;
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
            out = "could not give up root";
        } else {
            try {
                out = body();
            } catch (const Error& e) {
                out = "error: " + e.message().toStdString();
            } catch (const std::exception& e) {
                out = std::string("exception: ") + e.what();
            }
        }
        for (size_t done = 0; done < out.size();) {
            const ssize_t n = ::write(fds[1], out.data() + done, out.size() - done);
            if (n <= 0) break;
            done += static_cast<size_t>(n);
        }
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string out;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0)
        out.append(buffer, static_cast<size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child ended badly: " << out;
    return out;
}

void handToUnprivilegedUser(const QString& path) {
    if (::geteuid() != 0) return;
    EXPECT_EQ(::chown(QFile::encodeName(path).constData(), kNobody, kNobody), 0);
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

}  // namespace telmora::test
