// Where the password file lives, what it holds, and how reading and writing it fail.

#include <QDir>
#include <QFile>

#include "ProtectFixture.h"
#include "uError.h"
#include "uPasswordCodec.h"

namespace telmora::test {
namespace {

class EnvVar {
public:
    EnvVar(const char* name, const QByteArray* value) : name_(name) {
        had_ = qEnvironmentVariableIsSet(name);
        old_ = qgetenv(name);
        value ? qputenv(name, *value) : qunsetenv(name);
    }
    ~EnvVar() { had_ ? qputenv(name_, old_) : qunsetenv(name_); }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

TEST(PasswordFolder, ConfigurationFolderOfTheUser) {
    const QByteArray home = "/home/anna", config = "/srv/cfg/", relative = "cfg";
    const EnvVar h("HOME", &home);
    {
        const EnvVar x("XDG_CONFIG_HOME", &config);
        EXPECT_EQ(passwordFolder(), QStringLiteral("/srv/cfg"));
    }
    {
        const EnvVar x("XDG_CONFIG_HOME", &relative);  // relative: not a usable folder
        EXPECT_EQ(passwordFolder(), QStringLiteral("/home/anna/.config"));
    }
    const EnvVar x("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(passwordFolder(), QStringLiteral("/home/anna/.config"));
}

TEST(PasswordFilePath, NameOfTheProgramWithoutFolderAndExtension) {
    const QString expected = QStringLiteral("/cfg/ktxtxzxzxhkqxh.qrlt");
    EXPECT_EQ(passwordFilePath(QStringLiteral("/opt/x/telmora"), QStringLiteral("/cfg")), expected);
    EXPECT_EQ(passwordFilePath(QStringLiteral("/opt/x/telmora.exe"), QStringLiteral("/cfg/")),
              expected);
}

using PasswordFile = ProtectFixture;

TEST_F(PasswordFile, TwoLinesWithCrLfReadableByTheOwnerOnly) {
    writeRaw("old");  // an existing file with the usual mode is replaced
    QFile::setPermissions(file, QFile::permissions(file) | QFileDevice::ReadOther);
    SavePassword(file, QStringLiteral("città €"));

    const QList<QByteArray> lines = raw().split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].endsWith('\r'));
    EXPECT_TRUE(lines[1].endsWith('\r'));
    EXPECT_TRUE(lines[2].isEmpty());
    const QByteArray key = lines[0].chopped(1);
    EXPECT_TRUE(IsValidPasswordKey(key));
    EXPECT_EQ(key.size(), 16);
    EXPECT_EQ(DecodePassword(lines[1].chopped(1), key), QStringLiteral("città €").toUtf8());
    EXPECT_EQ(mode(), kOwnerOnly);
    EXPECT_EQ(ReadPassword(file), QStringLiteral("città €").toUtf8());
    // Replaced in one step: no temporary file is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(PasswordFile, TwoSavesOfOnePasswordDifferAndReadAlike) {
    SavePassword(file, QStringLiteral("segreto"));
    const QByteArray first = raw();
    SavePassword(file, QStringLiteral("segreto"));
    EXPECT_NE(raw(), first);
    EXPECT_NE(raw().left(16), first.left(16));  // a new key each time
    EXPECT_EQ(ReadPassword(file), QByteArrayLiteral("segreto"));
}

TEST_F(PasswordFile, MissingFolderIsCreated) {
    const QString nested = dir.filePath(QStringLiteral("a/b/x.qrlt"));
    SavePassword(nested, QStringLiteral("segreto"));
    EXPECT_EQ(ReadPassword(nested), QByteArrayLiteral("segreto"));
}

TEST_F(PasswordFile, DamagedFilesReadAsTheFailure) {
    const QByteArray key = QByteArrayLiteral("Zq0+9aB/mK3xTr7L");
    const QByteArray code = EncodePassword(QByteArrayLiteral("abc"), key, 5, 0);
    const struct {
        const char* why;
        QByteArray content;
        QByteArray expected;
    } cases[] = {
        {"empty", "", kPasswordFailure},
        {"the key line only", key + "\r\n", kPasswordFailure},
        {"the key without its line end", key, kPasswordFailure},
        {"nothing after the key but noise", key + "\r\n!!\r\n", kPasswordFailure},
        {"a bad key", key.left(15) + "\r\n" + code + "\r\n", kPasswordFailure},
        {"an odd count of code characters", key + "\r\n" + code + key.left(1) + "\r\n",
         kPasswordFailure},
        {"line feeds alone", key + "\n" + code + "\n", "abc"},
        {"no line end after the code", key + "\r\n" + code, "abc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        writeRaw(c.content);
        EXPECT_EQ(ReadPassword(file), c.expected);
    }
}

TEST_F(PasswordFile, ReadAndWriteFailuresRaiseAnError) {
    auto raises = [](auto&& step, const char* part) {
        try {
            step();
        } catch (const Error& e) {
            EXPECT_TRUE(e.message().contains(QLatin1String(part))) << e.what();
            return true;
        }
        return false;
    };
    EXPECT_TRUE(raises([&] { ReadPassword(file); }, "non esiste"));
    ASSERT_TRUE(QDir().mkpath(file));  // the path is taken by a folder
    EXPECT_TRUE(raises([&] { ReadPassword(file); }, "Impossibile leggere"));
    EXPECT_TRUE(raises([&] { SavePassword(file, QStringLiteral("x")); }, "Impossibile scrivere"));
    EXPECT_TRUE(QDir(file).exists());
    // A folder that cannot be made, under a plain file.
    QFile blocker(dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_TRUE(raises([&] { SavePassword(blocker.fileName() + "/x.qrlt", QStringLiteral("x")); },
                       "Impossibile creare la cartella"));
}

TEST(TrimPassword, BlanksAndControlCharactersAtTheEndsOnly) {
    const struct {
        QString typed, trimmed;
    } cases[] = {
        {QStringLiteral("  ab c \t"), QStringLiteral("ab c")},
        {QStringLiteral("\x01x\x7f"), QStringLiteral("x")},
        {QStringLiteral("   "), QString()},
        {QStringLiteral("\u00a0città\u00a0"), QStringLiteral("città")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(trimPassword(c.typed), c.trimmed) << c.typed.toStdString();
}

TEST(PasswordMatches, ExactBytesAndNeverTheFailureOrNothing) {
    EXPECT_TRUE(PasswordMatches(QStringLiteral("città"), QStringLiteral("città").toUtf8()));
    EXPECT_FALSE(PasswordMatches(QStringLiteral("città "), QStringLiteral("città").toUtf8()));
    EXPECT_FALSE(PasswordMatches(QStringLiteral("\x01"), kPasswordFailure));
    EXPECT_FALSE(PasswordMatches(QString(), QByteArray()));
}

}  // namespace
}  // namespace telmora::test
