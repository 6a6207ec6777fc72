// The two openers: the simulated one (its log line, its failure) and xdg-open's outcomes.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <chrono>

#include "LinuxShellOpen.h"
#include "ScriptedMessages.h"
#include "SimShellOpen.h"
#include "uPages.h"

namespace telmora::test {
namespace {

QString readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

void writeFile(const QString& path, const QByteArray& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}

TEST(SimShellOpen, LogsTheTextAsHandedOverOrFailsWithTheControlFilesNumber) {
    QTemporaryDir dir;
    SimControl control(dir.path());
    SimLog log(dir.path());
    SimShellOpen shell(control, log);
    ScriptedMessages messages;
    const QString simlog = dir.filePath(QStringLiteral("telmora.simlog"));

    OpenPage(shell, messages, QStringLiteral("\"http://a.example/\",\"Pagina A\""));
    EXPECT_EQ(readAll(simlog), QStringLiteral("open \"http://a.example/\",\"Pagina A\"\n"));
    EXPECT_TRUE(messages.shown.empty());

    writeFile(dir.filePath(QStringLiteral("telmora.sim")), "[shell]\nerror=27\n");
    OpenPage(shell, messages, QStringLiteral("\"http://b.example/\""));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, QStringLiteral("error"));
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("Impossibile aprire la pagina selezionata. Errore 27"));
    EXPECT_EQ(readAll(simlog), QStringLiteral("open \"http://a.example/\",\"Pagina A\"\n"));

    // A number the opener cannot return (over 32) is no failure.
    writeFile(dir.filePath(QStringLiteral("telmora.sim")), "[shell]\nerror=33\n");
    EXPECT_EQ(shell.open(QStringLiteral("x")), std::nullopt);
}

TEST(LinuxShellOpen, TargetIsTheFirstQuotedFieldOrTheTrimmedText) {
    EXPECT_EQ(
        LinuxShellOpen::target(QStringLiteral("\"http://a.example/?q=1\",\"Titolo, con virgola\"")),
        QStringLiteral("http://a.example/?q=1"));
    EXPECT_EQ(LinuxShellOpen::target(QStringLiteral("\"http://a.example/")),
              QStringLiteral("http://a.example/"));
    EXPECT_EQ(LinuxShellOpen::target(QStringLiteral("  www.example.org ")),
              QStringLiteral("www.example.org"));
}

// A stand-in for xdg-open: a script that records its argument and ends as the test says.
class FakeOpener {
public:
    explicit FakeOpener(const QByteArray& ending) {
        path = dir.filePath(QStringLiteral("xdg-open"));
        argFile = dir.filePath(QStringLiteral("arg"));
        writeFile(path,
                  "#!/bin/sh\nprintf '%s' \"$1\" > '" + argFile.toUtf8() + "'\n" + ending + "\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QTemporaryDir dir;
    QString path, argFile;
};

TEST(LinuxShellOpen, OutcomesOfTheOpenerAsNumbers) {
    struct Case {
        const char* ending;
        std::optional<int> failure;
    } cases[] = {
        {"exit 0", std::nullopt},
        {"exit 1", 11},
        {"exit 2", 2},
        {"exit 3", 31},
        {"exit 4", 29},
        {"exit 7", 29},
        {"kill -9 $$", 29},
        {"sleep 5", std::nullopt},  // still running after the wait: it has the page
    };
    for (const Case& c : cases) {
        FakeOpener opener(c.ending);
        LinuxShellOpen shell(opener.path, std::chrono::milliseconds(300));
        EXPECT_EQ(shell.open(QStringLiteral("\"http://a.example/\",\"A\"")), c.failure) << c.ending;
        EXPECT_EQ(readAll(opener.argFile), QStringLiteral("http://a.example/")) << c.ending;
    }
}

TEST(LinuxShellOpen, MissingOpenerIs32) {
    QTemporaryDir dir;
    LinuxShellOpen shell(dir.filePath(QStringLiteral("no-such-opener")));
    EXPECT_EQ(shell.open(QStringLiteral("http://a.example/")), 32);
}

}  // namespace
}  // namespace telmora::test
