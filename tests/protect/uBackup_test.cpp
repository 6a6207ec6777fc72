// Backup and restore of the database and its settings file: the dated folder and what it holds,
// cancelling, failures that show no success and lose nothing, files that are no Telmora
// database, a backup without settings file, and a restore killed at each of its steps.

#include "uBackup.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>

#include "IClock.h"
#include "ScriptedMessages.h"
#include "StoreRows.h"
#include "StoreTestSupport.h"
#include "uDataModule.h"
#include "uError.h"
#include "uStartupCompaction.h"

namespace telmora {
namespace {

using test::fileBytes;
using test::RawDb;

QStringList pcRows(const QString& path) {
    return RawDb(path).column(
        QStringLiteral("SELECT quote(PCSTART)||quote(PCSTOP)||quote(TPC) FROM PCTIME ORDER BY 1"));
}

class FixedClock final : public IClock {
public:
    DateTime value = 0;
    DateTime now() const override { return value; }
    void set(int y, int mo, int d, int h, int mi, int s) {
        value = encodeDateTime(y, mo, d, h, mi, s);
    }
};

void writeText(const QString& path, const QByteArray& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}

class BackupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QDir root(dir.path());
        ASSERT_TRUE(root.mkdir(QStringLiteral("prog")) && root.mkdir(QStringLiteral("safe")) &&
                    root.mkdir(QStringLiteral("tmp")));
        dbPath = dir.filePath(QStringLiteral("prog/telmora.mdb"));
        iniPath = dir.filePath(QStringLiteral("prog/telmora.ini"));
        safe = dir.filePath(QStringLiteral("safe"));
        TDataModule1::createDatabase(dbPath);
        data = std::make_unique<TDataModule1>(dbPath);
        addPc(1);
        writeText(iniPath,
                  "[opzioni]\nprimoavvio=01/03/2004 10.00.00\n[arrestianomali]\n"
                  "arresti=4\nanomalo=1\n");
        clock.set(2004, 3, 15, 18, 0, 0);
        compaction.tempFolder = dir.filePath(QStringLiteral("tmp"));
        compaction.pause = [](std::chrono::milliseconds) {};
        compaction.plainBox = [this](const QString& t) { messages.plain(t); };
        compaction.errorBox = [this](const QString& t) { messages.error(t); };
    }

    void addPc(int day) {
        const DateTime start = encodeDateTime(2004, 3, day, 8, 0, 0);
        test::addPcSession(*data, start, start + 0.1);
    }
    Backup backup() { return Backup(*data, iniPath, clock, messages, compaction); }
    QString backupFolder() const {
        return QDir(safe).filePath(QStringLiteral("backup Telmora 15.03.2004"));
    }
    QStringList shown(const QString& kind) const {
        QStringList out;
        for (const auto& s : messages.shown) {
            if (s.kind == kind) out << s.text;
        }
        return out;
    }
    // Makes a backup of the live pair as it is now.
    void takeBackup(const Options& options) {
        messages.folders.push_back(safe);
        ASSERT_TRUE(backup().save(options));
    }

    QTemporaryDir dir;
    QString dbPath, iniPath, safe;
    std::unique_ptr<TDataModule1> data;
    FixedClock clock;
    ScriptedMessages messages;
    CompactionContext compaction;
};

TEST_F(BackupTest, SavesThePairInTheDatedFolderAndASecondBackupReplacesIt) {
    EXPECT_EQ(Backup::folderName(encodeDateTime(2004, 3, 5, 1, 2, 3)),
              QStringLiteral("backup Telmora 05.03.2004"));
    Options changed;
    changed.tracciaweb = true;
    changed.hdaylimit = 7;
    takeBackup(changed);
    EXPECT_EQ(shown(QStringLiteral("folder")), QStringList{QStringLiteral("Salva in...")});
    EXPECT_EQ(shown(QStringLiteral("information")), QStringList{QStringLiteral("Backup eseguito")});
    QDir folder(backupFolder());
    EXPECT_EQ(folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{QStringLiteral("telmora.ini"), QStringLiteral("telmora.mdb")}));
    const QString savedDb = folder.filePath(QStringLiteral("telmora.mdb"));
    EXPECT_EQ(pcRows(savedDb), pcRows(dbPath));
    EXPECT_EQ(fileBytes(folder.filePath(QStringLiteral("telmora.ini"))), fileBytes(iniPath));
    EXPECT_EQ(Settings(folder.filePath(QStringLiteral("telmora.ini"))).loadOptions(), changed);
    EXPECT_EQ(RawDb(savedDb, "").tryExec(QStringLiteral("SELECT 1 FROM PCTIME")), 26);

    // Later the same day: one more session and other options replace both files.
    addPc(2);
    changed.rg = 1;
    takeBackup(changed);
    EXPECT_EQ(pcRows(savedDb).size(), 2);
    EXPECT_EQ(Settings(folder.filePath(QStringLiteral("telmora.ini"))).loadOptions(), changed);
    EXPECT_EQ(folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 2);
}

TEST_F(BackupTest, CancellingEitherChooserChangesNothing) {
    const QByteArray db = fileBytes(dbPath), ini = fileBytes(iniPath);
    bool applied = false;
    EXPECT_FALSE(backup().save(Options{}));
    EXPECT_FALSE(backup().restore([&](const RestoredState&) { applied = true; }));
    EXPECT_FALSE(applied);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].kind, QStringLiteral("folder"));
    EXPECT_EQ(messages.shown[1].text, QStringLiteral("Ripristina|telmora.mdb"));
    EXPECT_EQ(fileBytes(dbPath), db);
    EXPECT_EQ(fileBytes(iniPath), ini);
    EXPECT_TRUE(QDir(safe).isEmpty());
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("prog"))).entryList(QDir::Files).size(), 2);
}

TEST_F(BackupTest, AFolderThatCannotBeWrittenGivesAnErrorAndNoSuccess) {
    data->closeConnection();
    for (const QString& p : {dir.path(), dir.filePath(QStringLiteral("prog")), dbPath, iniPath,
                             compaction.tempFolder, safe}) {
        test::handToUnprivilegedUser(p);
    }
    // The dated folder exists already but cannot be written into.
    ASSERT_TRUE(QDir(safe).mkdir(QStringLiteral("backup Telmora 15.03.2004")));
    ASSERT_EQ(::chmod(QFile::encodeName(backupFolder()).constData(), 0555), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(safe).constData(), 0555), 0);
    const std::string out = test::runWithoutRoot([&] {
        messages.folders.push_back(safe);
        std::string result;
        try {
            backup().save(Options{});
        } catch (const Error& e) {
            result = "error: " + e.message().toStdString();
        }
        for (const QString& info : shown(QStringLiteral("information"))) {
            result += " | " + info.toStdString();
        }
        return result;
    });
    EXPECT_EQ(out, ("error: Impossibile scrivere il file " + backupFolder() +
                    "/telmora.mdb: accesso negato.")
                       .toStdString());
    EXPECT_TRUE(QDir(backupFolder()).isEmpty());

    // A chosen folder where the dated one cannot be made.
    ASSERT_TRUE(QDir(backupFolder()).removeRecursively());
    const std::string second = test::runWithoutRoot([&] {
        messages.folders.push_back(safe);
        try {
            backup().save(Options{});
        } catch (const Error& e) {
            return "error: " + e.message().toStdString();
        }
        return std::string("saved");
    });
    EXPECT_EQ(second,
              ("error: Impossibile creare la cartella " + backupFolder() + ": accesso negato.")
                  .toStdString());
}

TEST_F(BackupTest, RestoreBringsBackTheSavedPair) {
    Options saved;
    saved.daylimit = true;
    saved.hmonthlimit = 40;
    takeBackup(saved);
    const QStringList savedRows = pcRows(dbPath);
    // Afterwards the live pair moves on.
    addPc(3);
    Settings(iniPath).saveOptions(Options{});
    writeText(iniPath, fileBytes(iniPath).replace("arresti=4", "arresti=9"));
    messages.shown.clear();

    messages.files.push_back(QDir(backupFolder()).filePath(QStringLiteral("telmora.mdb")));
    std::optional<RestoredState> state;
    EXPECT_TRUE(backup().restore([&](const RestoredState& s) {
        EXPECT_TRUE(shown(QStringLiteral("information")).isEmpty()) << "message before refresh";
        state = s;
    }));
    ASSERT_TRUE(state);
    EXPECT_EQ(state->options, saved);
    EXPECT_EQ(state->abnormalStops, 4);
    EXPECT_FALSE(state->settingsKept);
    EXPECT_EQ(shown(QStringLiteral("information")),
              QStringList{QStringLiteral("Ripristino eseguito")});
    EXPECT_EQ(pcRows(dbPath), savedRows);
    EXPECT_EQ(fileBytes(iniPath),
              fileBytes(QDir(backupFolder()).filePath(QStringLiteral("telmora.ini"))));
    // The data module reads the restored file with its next statement.
    data->adoquery.setStatement(Stmt::S22);
    data->adoquery.open();
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("prog"))).entryList(QDir::Files),
              (QStringList{QStringLiteral("telmora.ini"), QStringLiteral("telmora.mdb")}));
}

// Each chosen file that is no usable Telmora database is refused before anything is touched.
TEST_F(BackupTest, RestoreRefusesAFileThatIsNoTelmoraDatabase) {
    const QString chosenDir = dir.filePath(QStringLiteral("other"));
    ASSERT_TRUE(QDir().mkpath(chosenDir));
    const QString chosen = QDir(chosenDir).filePath(QStringLiteral("telmora.mdb"));
    writeText(QDir(chosenDir).filePath(QStringLiteral("telmora.ini")), "[opzioni]\nrg=1\n");
    struct Case {
        const char* name;
        std::function<void()> make;
        QString reason;
    };
    const std::vector<Case> cases = {
        {"text file", [&] { writeText(chosen, QByteArray(5000, 'a')); },
         QStringLiteral("non è un database di Telmora o la sua password non è corretta")},
        {"other key",
         [&] { RawDb(chosen, "altra-chiave").exec(QStringLiteral("CREATE TABLE ETIME (A);")); },
         QStringLiteral("non è un database di Telmora o la sua password non è corretta")},
        {"tables missing", [&] { RawDb(chosen).exec(QStringLiteral("CREATE TABLE ALTRO (A);")); },
         QStringLiteral("non contiene le tabelle di Telmora")},
        {"damaged",
         [&] {
             TDataModule1::createDatabase(chosen);
             QFile f(chosen);
             ASSERT_TRUE(f.open(QIODevice::ReadWrite));
             f.seek(1100);  // inside the first page, behind the header
             f.write(QByteArray(1500, 'q'));
         },
         QStringLiteral("")},
    };
    const QByteArray db = fileBytes(dbPath), ini = fileBytes(iniPath);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(chosen);
        c.make();
        messages.files.push_back(chosen);
        messages.shown.clear();
        bool applied = false;
        try {
            backup().restore([&](const RestoredState&) { applied = true; });
            ADD_FAILURE() << "restored";
        } catch (const Error& e) {
            EXPECT_TRUE(e.message().startsWith(
                QStringLiteral("Il file %1 non può essere ripristinato: ").arg(chosen)))
                << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(c.reason)) << e.message().toStdString();
            EXPECT_TRUE(
                e.message().endsWith(QStringLiteral("I dati attuali non sono stati toccati.")));
        }
        EXPECT_FALSE(applied);
        EXPECT_TRUE(shown(QStringLiteral("information")).isEmpty());
        EXPECT_EQ(fileBytes(dbPath), db);
        EXPECT_EQ(fileBytes(iniPath), ini);
        EXPECT_EQ(QDir(dir.filePath(QStringLiteral("prog"))).entryList(QDir::Files).size(), 2);
    }
}

TEST_F(BackupTest, ADatabaseWithoutSettingsFileKeepsTheLiveSettings) {
    takeBackup(Options{});
    ASSERT_TRUE(QFile::remove(QDir(backupFolder()).filePath(QStringLiteral("telmora.ini"))));
    Options live;
    live.monthlimit = true;
    Settings(iniPath).saveOptions(live);
    const QByteArray ini = fileBytes(iniPath);
    messages.files.push_back(QDir(backupFolder()).filePath(QStringLiteral("telmora.mdb")));
    std::optional<RestoredState> state;
    EXPECT_TRUE(backup().restore([&](const RestoredState& s) { state = s; }));
    ASSERT_TRUE(state);
    EXPECT_TRUE(state->settingsKept);
    EXPECT_EQ(state->options, live);
    EXPECT_EQ(state->abnormalStops, 4);
    EXPECT_EQ(fileBytes(iniPath), ini);
    const QStringList info = shown(QStringLiteral("information"));
    ASSERT_EQ(info.size(), 2);
    EXPECT_TRUE(info[1].startsWith(QStringLiteral("Ripristino eseguito\n\n")));
    EXPECT_TRUE(info[1].contains(QStringLiteral("mantenute le impostazioni attuali")));
}

TEST_F(BackupTest, ARestoreThatFailsHalfwayPutsTheDatabaseBack) {
    takeBackup(Options{});
    addPc(4);
    const QStringList liveRows = pcRows(dbPath);
    const QByteArray db = fileBytes(dbPath);
    // The settings file cannot be replaced: a folder stands in its place.
    ASSERT_TRUE(QFile::remove(iniPath));
    ASSERT_TRUE(QDir().mkpath(iniPath + QStringLiteral("/inside")));
    messages.files.push_back(QDir(backupFolder()).filePath(QStringLiteral("telmora.mdb")));
    EXPECT_THROW(backup().restore(nullptr), Error);
    EXPECT_EQ(fileBytes(dbPath), db);
    EXPECT_EQ(pcRows(dbPath), liveRows);
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("prog"))).entryList(QDir::Files),
              QStringList{QStringLiteral("telmora.mdb")});
}

// The restore is killed at each step: the database and the settings file are each the old or
// the new one, whole, and the database opens with the key.
TEST_F(BackupTest, AKillDuringARestoreLeavesEachFileWhole) {
    Options saved;
    saved.rg = 1;
    takeBackup(saved);
    const QStringList newRows = pcRows(dbPath);
    const QByteArray newIni = fileBytes(iniPath);
    addPc(5);
    Settings(iniPath).saveOptions(Options{});
    const QStringList oldRows = pcRows(dbPath);
    const QByteArray oldIni = fileBytes(iniPath);
    const QString chosen = QDir(backupFolder()).filePath(QStringLiteral("telmora.mdb"));
    data->closeConnection();
    for (const RestoreStep stop : {RestoreStep::DatabaseStaged, RestoreStep::SettingsStaged,
                                   RestoreStep::DatabaseReplaced, RestoreStep::SettingsReplaced}) {
        SCOPED_TRACE(static_cast<int>(stop));
        const pid_t pid = ::fork();
        if (pid == 0) {
            TDataModule1 child(dbPath);
            ScriptedMessages answers;
            answers.files.push_back(chosen);
            Backup restore(child, iniPath, clock, answers, compaction);
            restore.reached = [stop](RestoreStep step) {
                if (step == stop) ::raise(SIGKILL);
            };
            restore.restore(nullptr);
            ::_exit(3);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(status));
        const bool dbReplaced = stop >= RestoreStep::DatabaseReplaced;
        EXPECT_EQ(pcRows(dbPath), dbReplaced ? newRows : oldRows);
        EXPECT_EQ(fileBytes(iniPath), stop == RestoreStep::SettingsReplaced ? newIni : oldIni);
        // Put the old pair back for the next round.
        if (dbReplaced) {
            data.reset();
            ASSERT_TRUE(QFile::remove(dbPath));
            TDataModule1::createDatabase(dbPath);
            data = std::make_unique<TDataModule1>(dbPath);
            for (int d : {1, 5}) addPc(d);
            data->closeConnection();
            writeText(iniPath, oldIni);
            ASSERT_EQ(pcRows(dbPath), oldRows);
        }
    }
    // A restore after the kills clears what they left behind.
    messages.files.push_back(chosen);
    EXPECT_TRUE(backup().restore(nullptr));
    EXPECT_EQ(pcRows(dbPath), newRows);
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("prog"))).entryList(QDir::Files),
              (QStringList{QStringLiteral("telmora.ini"), QStringLiteral("telmora.mdb")}));
}

TEST_F(BackupTest, TheStartUpCompactionReadsTheClockAndShowsItsBoxes) {
    const CompactionContext boxes = [&] {
        CompactionContext c = compactionThrough(messages);
        c.tempFolder = compaction.tempFolder;
        c.pause = compaction.pause;
        return c;
    }();
    clock.set(2004, 3, 8, 9, 0, 0);
    EXPECT_EQ(compactAtStartUp(clock, *data, boxes), std::nullopt);
    clock.set(2004, 3, 9, 9, 0, 0);
    EXPECT_EQ(compactAtStartUp(clock, *data, boxes), CompactionOutcome::Compacted);
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_TRUE(QFile::remove(dbPath));
    EXPECT_EQ(compactAtStartUp(clock, *data, boxes), CompactionOutcome::Failed);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, QStringLiteral("plain"));
    EXPECT_TRUE(
        messages.shown[0].text.startsWith(QStringLiteral("Impossibile aprire il database")));
}

}  // namespace
}  // namespace telmora
