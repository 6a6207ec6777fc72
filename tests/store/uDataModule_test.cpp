// The data module against what goes wrong with the file: missing, foreign, read-only, locked,
// replaced behind a closed connection; and three threads sharing the one connection.

#include "uDataModule.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "StoreRows.h"
#include "StoreTestSupport.h"
#include "uError.h"

namespace telmora {
namespace {

using test::fileBytes;
using test::RawDb;

DateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return encodeDateTime(y, mo, d, h, mi, s);
}

void insertPc(TDataModule1& db, DateTime start, DateTime stop) {
    test::addPcSession(db, start, stop);
}

int pcRowsOn(TDataModule1& db, const QString& day) {
    Query& q = db.adoquery;
    q.setStatement(Stmt::S6);
    q.setText(QStringLiteral("data"), day);
    q.open();
    return q.recordCount();
}

// The message of the Error that action throws, or a note that it threw none.
template <typename Action>
QString errorOf(Action action) {
    try {
        action();
    } catch (const Error& e) {
        EXPECT_EQ(e.source(), QStringLiteral("TDataModule1"));
        return e.message();
    }
    return QStringLiteral("(no error)");
}

const QString kDay = QStringLiteral("05/03/2004");

TEST(DataModule, AMissingDatabaseFailsEveryStatementAndIsNeverCreated) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("telmora.mdb"));
    TDataModule1 db(path);
    const QString expected =
        QStringLiteral("Impossibile aprire il database %1: il file non esiste o non è accessibile.")
            .arg(path);
    EXPECT_EQ(errorOf([&] { pcRowsOn(db, kDay); }), expected);
    EXPECT_EQ(errorOf([&] { insertPc(db, at(2004, 3, 5, 8), at(2004, 3, 5, 9)); }), expected);
    EXPECT_FALSE(db.connected());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

TEST(DataModule, CreatingNeverOverwritesAnExistingFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("telmora.mdb"));
    TDataModule1::createDatabase(path);
    {
        TDataModule1 db(path);
        insertPc(db, at(2004, 3, 5, 8), at(2004, 3, 5, 9));
    }
    const QByteArray before = fileBytes(path);
    EXPECT_THROW(TDataModule1::createDatabase(path), Error);
    EXPECT_EQ(fileBytes(path), before);
}

TEST(DataModule, AForeignFileIsRefusedAndLeftUntouched) {
    struct Case {
        const char* what;
        std::function<void(const QString&)> make;
    };
    const auto database = [](const char* key) {
        return [key](const QString& path) {
            RawDb raw(path, key);
            raw.exec(QStringLiteral("CREATE TABLE PCTIME (PCSTART REAL, PCSTOP REAL, TPC REAL)"));
            raw.exec(QStringLiteral("INSERT INTO PCTIME VALUES (38051.5, 38051.6, 0.1)"));
        };
    };
    const Case cases[] = {
        {"text file",
         [](const QString& path) {
             QFile f(path);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.write(QByteArray("[opzioni]\ntracciaweb=1\n").repeated(200));
         }},
        {"database with another key", database("un-altra-chiave")},
        {"database without encryption", database("")},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("telmora.mdb"));
        c.make(path);
        const QByteArray before = fileBytes(path);
        TDataModule1 db(path);
        const QString expected =
            QStringLiteral(
                "Il file %1 non è un database di Telmora o la sua password non è corretta.")
                .arg(path);
        EXPECT_EQ(errorOf([&] { pcRowsOn(db, kDay); }), expected) << c.what;
        EXPECT_EQ(errorOf([&] { insertPc(db, at(2004, 3, 5, 8), at(2004, 3, 5, 9)); }), expected)
            << c.what;
        db.closeConnection();
        EXPECT_EQ(fileBytes(path), before) << c.what;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                  QStringList{QStringLiteral("telmora.mdb")})
            << c.what;
    }
}

TEST(DataModule, AReadOnlyDatabaseIsReadButRefusesWrites) {
    QTemporaryDir dir;
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner | QFileDevice::ExeOther);
    const QString folder = dir.filePath(QStringLiteral("prog"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString path = folder + QStringLiteral("/telmora.mdb");
    TDataModule1::createDatabase(path);
    {
        TDataModule1 db(path);
        insertPc(db, at(2004, 3, 5, 8), at(2004, 3, 5, 9));
    }
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    test::handToUnprivilegedUser(folder);
    test::handToUnprivilegedUser(path);
    const QByteArray before = fileBytes(path);

    const std::string out = test::runWithoutRoot([&] {
        TDataModule1 db(path);
        std::string seen = "read " + std::to_string(pcRowsOn(db, kDay));
        try {
            insertPc(db, at(2004, 3, 5, 10), at(2004, 3, 5, 11));
        } catch (const Error& e) {
            seen += "; " + e.message().toStdString();
        }
        return seen;
    });
    EXPECT_EQ(
        QString::fromStdString(out),
        QStringLiteral("read 1; Il database %1 è in sola lettura: impossibile registrare i dati.")
            .arg(path));
    EXPECT_EQ(fileBytes(path), before);
}

// Another program holding the file's exclusive lock: statements fail after a short wait instead
// of hanging, and work again once the lock is gone, whether the connection was already open or
// opens while the file is locked.
TEST(DataModule, ALockedDatabaseFailsPromptlyAndRecovers) {
    struct Case {
        const char* what;
        bool openFirst;
    };
    const Case cases[] = {{"connection already open", true},
                          {"connection opened while locked", false}};
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("telmora.mdb"));
        TDataModule1::createDatabase(path);
        TDataModule1 db(path);
        if (c.openFirst) pcRowsOn(db, kDay);
        RawDb other(path);
        other.exec(QStringLiteral("BEGIN EXCLUSIVE"));
        const QString expected =
            QStringLiteral("Il database %1 è bloccato da un altro programma.").arg(path);
        const auto started = std::chrono::steady_clock::now();
        EXPECT_EQ(errorOf([&] { pcRowsOn(db, kDay); }), expected) << c.what;
        EXPECT_EQ(errorOf([&] { insertPc(db, at(2004, 3, 5, 8), at(2004, 3, 5, 9)); }), expected)
            << c.what;
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(15)) << c.what;
        other.exec(QStringLiteral("COMMIT"));
        insertPc(db, at(2004, 3, 5, 8), at(2004, 3, 5, 9));
        EXPECT_EQ(pcRowsOn(db, kDay), 1) << c.what;
    }
}

// Backup and restore replace the file while the connection is closed: the next statement must
// read the new file, not the old one.
TEST(DataModule, TheConnectionReopensOnTheFileFoundAfterAClose) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("telmora.mdb"));
    const QString other = dir.filePath(QStringLiteral("copia.mdb"));
    TDataModule1::createDatabase(path);
    TDataModule1::createDatabase(other);
    TDataModule1 db(path);
    EXPECT_FALSE(db.connected());
    insertPc(db, at(2004, 3, 5, 8), at(2004, 3, 5, 9));
    EXPECT_TRUE(db.connected());
    {
        TDataModule1 copy(other);
        insertPc(copy, at(2004, 3, 5, 8), at(2004, 3, 5, 9));
        insertPc(copy, at(2004, 3, 5, 10), at(2004, 3, 5, 11));
    }

    db.closeConnection();
    EXPECT_FALSE(db.connected());
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::copy(other, path));
    EXPECT_EQ(pcRowsOn(db, kDay), 2);
    EXPECT_TRUE(db.connected());

    db.closeConnection();
    db.closeConnection();  // closing twice is harmless
    EXPECT_EQ(pcRowsOn(db, kDay), 2);
}

TEST(DataModule, TheFileAtRestIsEncryptedAndAlone) {
    ASSERT_TRUE(TDataModule1::cipherAvailable());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("telmora.mdb"));
    TDataModule1::createDatabase(path);
    TDataModule1 db(path);
    Query& q = db.adoqueryconnessione;
    q.setStatement(Stmt::S2);
    q.setDateTime(QStringLiteral("tstart"), at(2004, 3, 5, 18, 7, 31));
    q.setDateTime(QStringLiteral("tstop"), at(2004, 3, 5, 19));
    q.setText(QStringLiteral("diff"), QStringLiteral("00.52.29"));
    q.setText(QStringLiteral("conn"), QStringLiteral("ConnessioneRiservata"));
    q.execute();
    db.closeConnection();

    const QByteArray bytes = fileBytes(path);
    ASSERT_GE(bytes.size(), 16);
    EXPECT_NE(bytes.left(16), QByteArray("SQLite format 3", 16));
    EXPECT_FALSE(bytes.contains("ConnessioneRiservata"));
    EXPECT_FALSE(bytes.contains("PCSTART"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("telmora.mdb")});
}

// The main thread and the two workers each run their own query object on the one connection at
// the same time, as they do while online.
TEST(DataModule, ThreeThreadsShareTheConnection) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("telmora.mdb"));
    TDataModule1::createDatabase(path);
    TDataModule1 db(path);
    constexpr int kRounds = 60;
    std::atomic<int> failures{0};
    std::string firstFailure;
    std::mutex failureMutex;
    const auto guarded = [&](auto body) {
        return [&, body] {
            try {
                body();
            } catch (const std::exception& e) {
                std::lock_guard lock(failureMutex);
                if (failures++ == 0) firstFailure = e.what();
            }
        };
    };
    const DateTime day = at(2004, 3, 5);
    const DateTime second = 1.0 / 86400.0;

    std::thread main(guarded([&] {
        for (int i = 0; i < kRounds; ++i) {
            Query& q = db.adoqueryconnessione;
            q.setStatement(Stmt::S2);
            q.setDateTime(QStringLiteral("tstart"), day + i * second);
            q.setDateTime(QStringLiteral("tstop"), day + (i + 1) * second);
            q.setText(QStringLiteral("diff"), QStringLiteral("00.00.01"));
            q.setText(QStringLiteral("conn"), QStringLiteral("Primo"));
            q.execute();
            insertPc(db, day + i * second, day + (i + 1) * second);
            EXPECT_EQ(pcRowsOn(db, kDay), i + 1);
        }
    }));
    std::thread pages(guarded([&] {
        Query& q = db.adoqueryurl;
        for (int i = 0; i < kRounds; ++i) {
            q.setStatement(Stmt::S21);
            q.setDateTime(QStringLiteral("data"), day + i * second);
            q.setText(QStringLiteral("url"),
                      QStringLiteral("\"http://example.org/%1\",\"\"").arg(i));
            q.execute();
            q.setStatement(Stmt::S22);
            q.open();
            EXPECT_EQ(q.rows().at(0).integer(QStringLiteral("RECNO")), i + 1);
        }
    }));
    std::thread limits(guarded([&] {
        Query& q = db.ADOQueryNotify;
        qint64 seen = 0;
        for (int i = 0; i < 3 * kRounds; ++i) {
            q.setStatement(i % 2 ? Stmt::S3 : Stmt::S5);
            if (i % 2) {
                q.setText(QStringLiteral("data"), kDay);
            } else {
                q.setText(QStringLiteral("mese"), QStringLiteral("2004/03"));
            }
            q.open();
            EXPECT_GE(q.recordCount(), seen);  // rows only ever grow
            seen = q.recordCount();
        }
    }));
    main.join();
    pages.join();
    limits.join();
    EXPECT_EQ(failures.load(), 0) << firstFailure;

    RawDb raw(path);
    for (const char* table : {"ETIME", "PCTIME", "URL"}) {
        EXPECT_EQ(raw.column(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table)),
                  QStringList{QString::number(kRounds)})
            << table;
    }
}

// A query object belongs to one thread at a time: a worker holds it through a lease and frees it
// for the next worker; any other thread that touches it is stopped in the debug build.
TEST(DataModule, QueryObjectsBelongToOneThreadAtATime) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("telmora.mdb"));
    TDataModule1::createDatabase(path);
    TDataModule1 db(path);
    for (int worker = 0; worker < 2; ++worker) {
        std::thread([&] {
            QueryLease lease(db.adoqueryurl);
            lease.query().setStatement(Stmt::S22);
            lease.query().open();
            EXPECT_EQ(lease.query().rows().at(0).integer(QStringLiteral("RECNO")), 0);
        }).join();
    }
    db.adoquery.setStatement(Stmt::S22);
#ifndef NDEBUG
    EXPECT_DEATH(std::thread([&] { db.adoquery.setStatement(Stmt::S22); }).join(),
                 "does not own it|another thread");
    EXPECT_DEATH(
        {
            std::thread holder([&] { db.ADOQueryNotify.bindToCurrentThread(); });
            holder.join();
            db.ADOQueryNotify.setStatement(Stmt::S3);
        },
        "another thread");
#endif
}

}  // namespace
}  // namespace telmora
