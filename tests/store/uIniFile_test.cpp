// The settings file: names without case, defaults for what cannot be read, writes that keep the
// rest of the file, refuse plainly when the file cannot be written, and survive a kill.

#include "uIniFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <random>
#include <thread>

#include "StoreTestSupport.h"
#include "uError.h"

namespace telmora {
namespace {

using test::fileBytes;

void writeFile(const QString& path, const QByteArray& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}

QStringList folderEntries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

const QByteArray kSettings =
    "[Opzioni]\n"
    "TracciaWeb=1\n"
    " rg = 1 \n"
    "anomalo=yes\n"
    "hdaylimit=abc\n"
    "hmonthlimit=0x1F\n"
    "daylimit=-5\n"
    "monthlimit=+7\n"
    "disconnectday=0x\n"
    "disconnectmonth=\n"
    "dodici=12abc\n"
    "primoavvio=05/03/2004 18.07.31\n"
    "\n"
    "[ArrestiAnomali]\n"
    "Arresti=4\n";

TEST(IniFile, ReadsValuesOrTheirDefaults) {
    QTemporaryDir dir;
    const IniFile ini(dir.filePath(QStringLiteral("telmora.ini")));
    const IniFile missing(dir.filePath(QStringLiteral("nessuno.ini")));
    writeFile(ini.path(), kSettings);

    enum class Kind { Integer, Boolean, Text };
    struct Case {
        const IniFile* file;
        const char* section;
        const char* key;
        Kind kind;
        qint64 def;
        const char* expected;
    };
    const Case cases[] = {
        {&ini, "opzioni", "tracciaweb", Kind::Boolean, 0, "1"},  // names without case
        {&ini, "OPZIONI", "RG", Kind::Integer, 0, "1"},          // blanks around = and value
        {&ini, "opzioni", "anomalo", Kind::Boolean, 0, "0"},     // yes is no number
        {&ini, "opzioni", "hdaylimit", Kind::Integer, 1, "1"},
        {&ini, "opzioni", "hmonthlimit", Kind::Integer, 1, "31"},
        {&ini, "opzioni", "daylimit", Kind::Integer, 0, "-5"},
        {&ini, "opzioni", "daylimit", Kind::Boolean, 0, "1"},  // any number but 0 is true
        {&ini, "opzioni", "monthlimit", Kind::Integer, 0, "7"},
        {&ini, "opzioni", "disconnectday", Kind::Integer, 9, "9"},
        {&ini, "opzioni", "disconnectmonth", Kind::Integer, 9, "9"},
        {&ini, "opzioni", "dodici", Kind::Integer, 9, "9"},
        {&ini, "opzioni", "primoavvio", Kind::Text, 0, "05/03/2004 18.07.31"},
        {&ini, "arrestianomali", "arresti", Kind::Integer, 0, "4"},
        {&ini, "opzioni", "arresti", Kind::Integer, 0, "0"},  // a key of another section
        {&ini, "opzioni", "mancante", Kind::Integer, 3, "3"},
        {&ini, "mancante", "rg", Kind::Integer, 3, "3"},
        {&missing, "opzioni", "hdaylimit", Kind::Integer, 1, "1"},
        {&missing, "opzioni", "primoavvio", Kind::Text, 0, ""},
    };
    for (const Case& c : cases) {
        const QString section = QString::fromLatin1(c.section), key = QString::fromLatin1(c.key);
        QString got;
        switch (c.kind) {
            case Kind::Integer:
                got = QString::number(c.file->readInteger(section, key, c.def));
                break;
            case Kind::Boolean:
                got = c.file->readBool(section, key, c.def != 0) ? QStringLiteral("1")
                                                                 : QStringLiteral("0");
                break;
            case Kind::Text:
                got = c.file->readString(section, key, QString());
                break;
        }
        EXPECT_EQ(got, QString::fromLatin1(c.expected)) << c.section << "/" << c.key;
    }
    EXPECT_TRUE(ini.valueExists(QStringLiteral("OPZIONI"), QStringLiteral("PrimoAvvio")));
    EXPECT_FALSE(ini.valueExists(QStringLiteral("opzioni"), QStringLiteral("arresti")));
    EXPECT_FALSE(missing.valueExists(QStringLiteral("opzioni"), QStringLiteral("primoavvio")));
}

TEST(IniFile, AWriteChangesOneKeyAndKeepsEverythingElse) {
    QTemporaryDir dir;
    const IniFile ini(dir.filePath(QStringLiteral("telmora.ini")));
    writeFile(ini.path(), kSettings);

    ini.writeInteger(QStringLiteral("OPZIONI"), QStringLiteral("Rg"), 0);
    ini.writeBool(QStringLiteral("opzioni"), QStringLiteral("nuova"), true);
    ini.writeBool(QStringLiteral("arrestianomali"), QStringLiteral("anomalo"), true);
    ini.writeString(QStringLiteral("altra"), QStringLiteral("k"), QStringLiteral("v"));

    // Only the changed line and the three added ones differ from the file as it was.
    QByteArray expected = kSettings;
    expected.replace(" rg = 1 \n", "Rg=0\n");
    expected.replace("18.07.31\n\n", "18.07.31\nnuova=1\n\n");
    expected += "anomalo=1\n\n[altra]\nk=v\n";
    EXPECT_EQ(fileBytes(ini.path()), expected);
    EXPECT_FALSE(QFile::exists(ini.path() + QStringLiteral(".tmp")));

    // The first start creates the file from nothing.
    const IniFile fresh(dir.filePath(QStringLiteral("nuovo.ini")));
    fresh.writeBool(QStringLiteral("arrestianomali"), QStringLiteral("anomalo"), true);
    fresh.writeString(QStringLiteral("opzioni"), QStringLiteral("primoavvio"),
                      QStringLiteral("05/03/2004 18.07.31"));
    EXPECT_EQ(fileBytes(fresh.path()), QByteArray("[arrestianomali]\n"
                                                  "anomalo=1\n"
                                                  "\n"
                                                  "[opzioni]\n"
                                                  "primoavvio=05/03/2004 18.07.31\n"));
}

// Permissions are checked by a process that is not root, since root may write anywhere.
TEST(IniFile, AWriteThatCannotBeDoneFailsAndLeavesTheFileAsItWas) {
    struct Case {
        const char* what;
        mode_t folderMode;
        int fileMode;  // -1: no file
    };
    const Case cases[] = {
        {"read-only folder, no file", 0555, -1},
        {"read-only folder", 0555, 0644},
        {"read-only file", 0755, 0444},
        {"file that cannot be read", 0755, 0000},
        {"file that can be written but not read", 0755, 0200},
    };
    QTemporaryDir dir;
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0711), 0);
    int n = 0;
    for (const Case& c : cases) {
        const QString folder = dir.filePath(QStringLiteral("case%1").arg(++n));
        ASSERT_TRUE(QDir().mkdir(folder));
        const QString path = folder + QStringLiteral("/telmora.ini");
        if (c.fileMode >= 0) {
            writeFile(path, kSettings);
            test::handToUnprivilegedUser(path);
            ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), c.fileMode), 0);
        }
        test::handToUnprivilegedUser(folder);
        ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), c.folderMode), 0);
        const QStringList entriesBefore = folderEntries(folder);

        const std::string out = test::runWithoutRoot([&] {
            IniFile(path).writeInteger(QStringLiteral("opzioni"), QStringLiteral("rg"), 0);
            return std::string("written");
        });
        EXPECT_EQ(QString::fromStdString(out), QStringLiteral("error: Unable to write to ") + path)
            << c.what;
        EXPECT_EQ(folderEntries(folder), entriesBefore) << c.what;
        if (c.fileMode >= 0) {
            EXPECT_EQ(fileBytes(path), kSettings) << c.what;
            struct stat st {};
            ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
            EXPECT_EQ(st.st_mode & 0777, static_cast<mode_t>(c.fileMode)) << c.what;
        }
    }
}

// A program killed at any instant of a write leaves the old file or the new one, never a part.
TEST(IniFile, AWriteKilledAtAnyInstantLeavesTheOldOrTheNewFile) {
    QTemporaryDir dir;
    const IniFile ini(dir.filePath(QStringLiteral("telmora.ini")));
    QByteArray body = "[opzioni]\n";
    for (int i = 0; i < 200; ++i) body += "chiave" + QByteArray::number(i) + "=valore\n";
    body += "\n[arrestianomali]\n";
    const auto fileWith = [&](qint64 n) {
        return body + "arresti=" + QByteArray::number(n) + "\n";
    };
    writeFile(ini.path(), fileWith(0));

    std::mt19937 random(20040305);
    std::uniform_int_distribution<int> delayUs(0, 5'000);
    qint64 last = 0;
    for (int kill = 0; kill < 100; ++kill) {
        int firstWrite[2];
        ASSERT_EQ(::pipe(firstWrite), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(firstWrite[0]);
            for (qint64 n = last + 1;; ++n) {
                ini.writeInteger(QStringLiteral("arrestianomali"), QStringLiteral("arresti"), n);
                if (n == last + 1 && ::write(firstWrite[1], "w", 1) != 1) ::_exit(1);
            }
        }
        ::close(firstWrite[1]);
        // Once the writer is under way, kill it somewhere in the writes that follow.
        char done = 0;
        ASSERT_EQ(::read(firstWrite[0], &done, 1), 1) << "the writer never wrote";
        ::close(firstWrite[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer ended by itself at kill " << kill;

        const qint64 n =
            ini.readInteger(QStringLiteral("arrestianomali"), QStringLiteral("arresti"), -1);
        ASSERT_EQ(fileBytes(ini.path()), fileWith(n)) << "after kill " << kill;
        ASSERT_GT(n, last) << "after kill " << kill;
        last = n;
    }
    // What a killed write left beside the file does not stop the next one.
    ini.writeInteger(QStringLiteral("arrestianomali"), QStringLiteral("arresti"), last + 1);
    EXPECT_EQ(fileBytes(ini.path()), fileWith(last + 1));
}

}  // namespace
}  // namespace telmora
