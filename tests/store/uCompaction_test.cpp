// Compaction of the usage database: the same rows and key afterwards, a smaller file, the
// temporary copy that cannot be deleted, failures that leave the live file as it was, a kill at
// any step, and a worker's statement held back while the file is replaced.

#include "uCompaction.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>

#include "StoreRows.h"
#include "StoreTestSupport.h"
#include "uDataModule.h"
#include "uError.h"

namespace telmora {
namespace {

using namespace std::chrono_literals;
using test::fileBytes;
using test::RawDb;

// Every row of the three tables, exactly as stored.
QStringList contents(const QString& path) {
    RawDb db(path);
    QStringList rows;
    rows << db.column(QStringLiteral(
        "SELECT quote(TSTART)||quote(TSTOP)||quote(TCONNECTION)||quote(CONN_NAME) FROM ETIME "
        "ORDER BY rowid"));
    rows << db.column(QStringLiteral(
        "SELECT quote(PCSTART)||quote(PCSTOP)||quote(TPC) FROM PCTIME ORDER BY rowid"));
    rows << db.column(QStringLiteral("SELECT quote(DATA)||quote(URL) FROM URL ORDER BY rowid"));
    return rows;
}

class CompactionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("tmp")));
        path = dir.filePath(QStringLiteral("telmora.mdb"));
        TDataModule1::createDatabase(path);
        data = std::make_unique<TDataModule1>(path);
        for (int d = 1; d <= 5; ++d) {
            const DateTime start = encodeDateTime(2004, 3, d, 8, 0, 0);
            test::addPcSession(*data, start, start + 0.1);
            test::addCall(*data, start, start + 0.01, QStringLiteral("Provider"));
        }
        RawDb(path).exec(
            QStringLiteral("INSERT INTO URL VALUES (38051.5, '\"http://a.it/\",\"A\"'), "
                           "(38052.5, '\"http://b.it/\",\"B\"');"));
        context.tempFolder = dir.filePath(QStringLiteral("tmp"));
        context.busyCursor = [this](bool busy) { cursor.push_back(busy); };
        context.errorBox = [this](const QString& t) { boxes << QStringLiteral("error: ") + t; };
        context.plainBox = [this](const QString& t) { boxes << QStringLiteral("plain: ") + t; };
        context.pause = [this](std::chrono::milliseconds ms) { pauses.push_back(ms); };
    }

    QString tempPath() const { return dir.filePath(QStringLiteral("tmp/tempdb.mdb")); }
    // Nothing of a compaction stays beside the live file or in the temporary folder.
    void expectNoLeftovers() const {
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
                  QStringList{QStringLiteral("telmora.mdb")});
        EXPECT_FALSE(QFileInfo::exists(tempPath()));
    }

    QTemporaryDir dir;
    QString path;
    std::unique_ptr<TDataModule1> data;
    CompactionContext context;
    std::vector<bool> cursor;
    std::vector<std::chrono::milliseconds> pauses;
    QStringList boxes;
};

TEST_F(CompactionTest, KeepsEveryRowAndTheKey) {
    const QStringList before = contents(path);
    ASSERT_EQ(before.size(), 12);
    data->adoquery.setStatement(Stmt::S22);
    data->adoquery.open();
    ASSERT_TRUE(data->connected());

    EXPECT_EQ(Compact(*data, context), CompactionOutcome::Compacted);
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(cursor, (std::vector<bool>{true, false}));
    EXPECT_EQ(pauses, (std::vector<std::chrono::milliseconds>{1000ms}));
    EXPECT_FALSE(data->connected());
    EXPECT_EQ(contents(path), before);
    RawDb plain(path, "");
    EXPECT_EQ(plain.tryExec(QStringLiteral("SELECT count(*) FROM PCTIME;")), 26 /*NOTADB*/);
    expectNoLeftovers();

    // The data module goes on with the new file.
    test::addPcSession(*data, encodeDateTime(2004, 3, 9, 8, 0, 0),
                       encodeDateTime(2004, 3, 9, 9, 0, 0));
    EXPECT_EQ(RawDb(path).column(QStringLiteral("SELECT count(*) FROM PCTIME")),
              QStringList{QStringLiteral("6")});
}

TEST_F(CompactionTest, ShrinksAFileWithDeletedRows) {
    RawDb raw(path);
    raw.exec(QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000) "
        "INSERT INTO URL SELECT 38000 + i / 100.0, printf('\"http://x.it/%0200d\",\"T\"', i) "
        "FROM n;"));
    raw.exec(QStringLiteral("DELETE FROM URL WHERE URL LIKE '\"http://x.it/%';"));
    const QStringList before = contents(path);
    const qint64 sizeBefore = QFileInfo(path).size();

    EXPECT_EQ(Compact(*data, context), CompactionOutcome::Compacted);
    const qint64 sizeAfter = QFileInfo(path).size();
    EXPECT_LT(sizeAfter * 10, sizeBefore) << sizeBefore << " -> " << sizeAfter;
    EXPECT_EQ(contents(path), before);
}

TEST_F(CompactionTest, ATemporaryCopyThatCannotBeDeletedStopsIt) {
    // A folder in its place cannot be removed as a file, like a copy of another user's.
    ASSERT_TRUE(QDir().mkpath(tempPath() + QStringLiteral("/inside")));
    const QByteArray before = fileBytes(path);

    EXPECT_EQ(Compact(*data, context), CompactionOutcome::TempNotDeleted);
    EXPECT_EQ(
        boxes,
        QStringList{QStringLiteral("error: Errore nella cancellazione del database temporaneo.")});
    EXPECT_EQ(cursor, (std::vector<bool>{true, false}));
    EXPECT_TRUE(pauses.empty());
    EXPECT_EQ(fileBytes(path), before);
}

TEST_F(CompactionTest, AnOldTemporaryCopyIsDeletedFirst) {
    QFile old(tempPath());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("left by an earlier run");
    old.close();
    EXPECT_EQ(Compact(*data, context), CompactionOutcome::Compacted);
    EXPECT_TRUE(boxes.isEmpty());
    expectNoLeftovers();
}

TEST_F(CompactionTest, AMissingDatabaseGivesTheEngineMessageAndCreatesNothing) {
    data.reset();
    ASSERT_TRUE(QFile::remove(path));
    TDataModule1 missing(path);
    EXPECT_EQ(Compact(missing, context), CompactionOutcome::Failed);
    EXPECT_EQ(boxes, QStringList{QStringLiteral("plain: Impossibile aprire il database %1: il "
                                                "file non esiste o non è accessibile.")
                                     .arg(path)});
    EXPECT_EQ(cursor, (std::vector<bool>{true, false}));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
}

// Each way the copy can go wrong leaves the live file byte for byte as it was.
TEST_F(CompactionTest, AFailedCompactionLeavesTheLiveFileAsItWas) {
    struct Case {
        const char* name;
        std::function<void()> arrange;
        QString message;
    };
    const QString live = path;
    const std::vector<Case> cases = {
        {"no temporary folder", [&] { context.tempFolder = dir.filePath(QStringLiteral("none")); },
         QStringLiteral("plain: Impossibile aprire il database")},
        {"copy damaged on disk",
         [&] {
             context.reached = [&](CompactionStep step) {
                 if (step != CompactionStep::Staged) return;
                 QFile staged(live + QStringLiteral(".part"));
                 ASSERT_TRUE(staged.open(QIODevice::ReadWrite));
                 staged.seek(3000);
                 staged.write(QByteArray(2000, 'x'));
             };
         },
         QStringLiteral("plain: La copia compattata del database %1 non corrisponde "
                        "all'originale: il database non è stato sostituito.")
             .arg(live)},
        {"foreign file",
         [&] {
             QFile foreign(live);
             ASSERT_TRUE(foreign.open(QIODevice::WriteOnly | QIODevice::Truncate));
             foreign.write(QByteArray(8192, 'z'));
         },
         QStringLiteral("plain: Il file %1 non è un database di Telmora").arg(live)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        context.tempFolder = dir.filePath(QStringLiteral("tmp"));
        context.reached = nullptr;
        boxes.clear();
        c.arrange();
        const QByteArray before = fileBytes(path);
        EXPECT_EQ(Compact(*data, context), CompactionOutcome::Failed);
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_TRUE(boxes[0].startsWith(c.message)) << boxes[0].toStdString();
        EXPECT_EQ(fileBytes(path), before);
        EXPECT_FALSE(QFileInfo::exists(path + QStringLiteral(".part")));
    }
}

// The process is killed at each step in turn: the live file always opens with the key and
// holds every row, and the next compaction clears what the killed one left.
TEST_F(CompactionTest, AKillAtAnyStepLeavesAWholeDatabase) {
    const QStringList before = contents(path);
    const CompactionStep steps[] = {CompactionStep::ConnectionClosed, CompactionStep::TempDeleted,
                                    CompactionStep::Paused,           CompactionStep::Exported,
                                    CompactionStep::Staged,           CompactionStep::Checked,
                                    CompactionStep::Replaced};
    for (const CompactionStep stop : steps) {
        SCOPED_TRACE(static_cast<int>(stop));
        data->closeConnection();
        const pid_t pid = ::fork();
        if (pid == 0) {
            TDataModule1 child(path);
            CompactionContext killed;
            killed.tempFolder = context.tempFolder;
            killed.pause = [](std::chrono::milliseconds) {};
            killed.reached = [stop](CompactionStep step) {
                if (step == stop) ::raise(SIGKILL);
            };
            Compact(child, killed);
            ::_exit(3);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        EXPECT_EQ(contents(path), before);
        EXPECT_EQ(RawDb(path).column(QStringLiteral("PRAGMA integrity_check")),
                  QStringList{QStringLiteral("ok")});
    }
    EXPECT_EQ(Compact(*data, context), CompactionOutcome::Compacted);
    EXPECT_EQ(contents(path), before);
    expectNoLeftovers();
}

// A worker's statement that comes while the file is being replaced waits, then runs on the
// new file; one of the replacing thread itself fails at once instead of waiting for itself.
TEST_F(CompactionTest, AWorkerStatementWaitsForTheNewFile) {
    std::atomic<bool> done{false};
    std::thread worker;
    QString workerError;
    context.reached = [&](CompactionStep step) {
        if (step != CompactionStep::Exported) return;
        worker = std::thread([&] {
            try {
                QueryLease lease(data->adoqueryurl);
                Query& q = lease.query();
                q.setStatement(Stmt::S21);
                q.setDateTime(QStringLiteral("data"), 38060.5);
                q.setText(QStringLiteral("url"), QStringLiteral("\"http://c.it/\",\"C\""));
                q.execute();
            } catch (const Error& e) {
                workerError = e.message();
            }
            done = true;
        });
        std::this_thread::sleep_for(300ms);
        EXPECT_FALSE(done.load()) << "the statement ran while the file was being replaced";
        try {
            data->adoquery.setStatement(Stmt::S22);
            data->adoquery.open();
            ADD_FAILURE() << "a statement of the replacing thread ran";
        } catch (const Error& e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("in corso di sostituzione")));
        }
    };
    EXPECT_EQ(Compact(*data, context), CompactionOutcome::Compacted);
    worker.join();
    EXPECT_EQ(workerError, QString());
    EXPECT_EQ(RawDb(path).column(QStringLiteral("SELECT count(*) FROM URL")),
              QStringList{QStringLiteral("3")});
}

TEST(CompactionDay, OnlyOddDaysOfTheMonthCompact) {
    const struct {
        int month, day;
        bool due;
    } cases[] = {{3, 1, true},  {3, 2, false}, {3, 3, true},  {3, 7, true},
                 {3, 8, false}, {1, 31, true}, {4, 30, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(compactionDueOn(encodeDateTime(2004, c.month, c.day, 0, 0, 1)), c.due)
            << c.month << "/" << c.day;
    }
}

TEST_F(CompactionTest, TheStartUpRunCompactsOnOddDaysOnly) {
    EXPECT_EQ(compactOnOddDay(encodeDateTime(2004, 3, 8, 9, 0, 0), *data, context), std::nullopt);
    EXPECT_TRUE(cursor.empty());
    EXPECT_EQ(compactOnOddDay(encodeDateTime(2004, 3, 7, 9, 0, 0), *data, context),
              CompactionOutcome::Compacted);
    EXPECT_EQ(pauses.size(), 1u);
}

}  // namespace
}  // namespace telmora
