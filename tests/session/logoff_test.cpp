// The exits that come at awkward moments: a logoff while a box is open, during the date-change
// notice, at a desktop checkpoint; and a midnight split that keeps failing.

#include <QFile>

#include "SessionFixture.h"

namespace telmora::test {
namespace {

using LogoffTest = SessionFixture;

QString logText(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

TEST_F(LogoffTest, ALogoffDuringAStartUpErrorBoxEndsTheRunInOrder) {
    fp.dialUp->loaded = false;
    rebuildSession(iniPath);
    QFile ini(iniPath);
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[opzioni]\nhdaylimit=5\n[arrestianomali]\narresti=2\nanomalo=0\n");
    ini.close();
    fp.clock->set(2004, 3, 5, 10, 0, 0);
    messages.whileOpen = [this] {
        fp.clock->set(2004, 3, 5, 10, 0, 3);
        session->onSessionEnding();
    };
    session->startUp();

    EXPECT_EQ(errors().size(), 1);
    EXPECT_EQ(exits(), 1);
    ASSERT_EQ(pcRows().size(), 1u);
    EXPECT_EQ(timeText(pcRows()[0][2].toDouble()), QStringLiteral("00.00.03"));
    // The settings were loaded before the box came, so the exit kept them; the run is over.
    const IniFile file(iniPath);
    EXPECT_EQ(file.readInteger(QStringLiteral("opzioni"), QStringLiteral("hdaylimit"), 0), 5);
    EXPECT_EQ(file.readInteger(QStringLiteral("arrestianomali"), QStringLiteral("arresti"), 0), 2);
    EXPECT_FALSE(file.readBool(QStringLiteral("arrestianomali"), QStringLiteral("anomalo"), true));
    EXPECT_FALSE(session->timercambiodata().isActive());
}

TEST_F(LogoffTest, NoRowAfterTheDateChangeExitBegan) {
    fp.clock->set(2004, 3, 5, 10, 0, 0);
    session->startUp();
    connect();
    at(2004, 3, 5, 10, 0, 1);
    // A call that ended before and whose row could not be written is a closed call: it is kept
    // and the date-change exit still writes it.
    ASSERT_TRUE(QFile::rename(dbPath, dbPath + QStringLiteral(".away")));
    disconnect();
    at(2004, 3, 5, 10, 30, 0);
    ASSERT_EQ(errors().size(), 1);
    ASSERT_TRUE(QFile::rename(dbPath + QStringLiteral(".away"), dbPath));
    connect();
    at(2004, 3, 5, 11, 0, 0);

    session->setWaitBlocking([this](int) {
        session->onSessionEnding();  // the logoff during the five-second notice
        session->onSessionCheckpoint();
    });
    fp.clock->set(2004, 3, 9, 9, 0, 0);
    session->onClockChanged();
    EXPECT_EQ(exits(), 1);
    EXPECT_TRUE(pcRows().empty());
    const Rows calls = netRows();
    ASSERT_EQ(calls.size(), 1u) << "only the call closed before the date change";
    EXPECT_EQ(timeText(calls[0][2].toDouble()), QStringLiteral("00.29.59"));
    EXPECT_FALSE(
        IniFile(iniPath).readBool(QStringLiteral("arrestianomali"), QStringLiteral("anomalo"), 1));
    session->requestExit();
    EXPECT_TRUE(pcRows().empty());
}

TEST_F(LogoffTest, ASplitThatKeepsFailingShowsOneBoxAndLogsOnce) {
    fp.clock->set(2004, 3, 5, 23, 59, 0);
    session->startUp();
    ASSERT_TRUE(QFile::rename(dbPath, dbPath + QStringLiteral(".away")));
    int ticks = 0;
    const auto tick = [&] {
        fp.clock->set(2004, 3, 6, 0, 0, 1 + ticks++);
        session->runTick();
    };
    // The box stays open while the timer goes on ticking beneath it.
    messages.whileOpen = [&] {
        for (int i = 0; i < 29; ++i) tick();
    };
    tick();
    EXPECT_EQ(ticks, 30);
    EXPECT_EQ(errors().size(), 1);
    EXPECT_EQ(logText(dir.filePath(QStringLiteral("telmora.log"))).count(QLatin1Char('\n')), 1);
    EXPECT_TRUE(session->timercambiodata().isActive()) << "the split is still retried";

    // Once the database is back the split goes through, and a new failure is news again.
    ASSERT_TRUE(QFile::rename(dbPath + QStringLiteral(".away"), dbPath));
    tick();
    EXPECT_EQ(pcRows().size(), 1u);
    EXPECT_EQ(session->currentDay(), encodeDate(2004, 3, 6));
}

TEST_F(LogoffTest, ACheckpointWritesWhatWasRecordedAndTheProgramGoesOn) {
    fp.clock->set(2004, 3, 5, 10, 0, 0);
    session->startUp();
    connect("Casa");
    at(2004, 3, 5, 10, 10, 0);
    session->setTracciaweb(true);
    fp.clock->set(2004, 3, 5, 10, 40, 0);
    session->onSessionCheckpoint();
    EXPECT_EQ(exits(), 0);
    ASSERT_EQ(pcRows().size(), 1u);
    ASSERT_EQ(netRows().size(), 1u);
    EXPECT_EQ(timeText(netRows()[0][2].toDouble()), QStringLiteral("00.30.00"));
    const IniFile file(iniPath);
    EXPECT_TRUE(file.readBool(QStringLiteral("opzioni"), QStringLiteral("tracciaweb"), false));
    EXPECT_TRUE(file.readBool(QStringLiteral("arrestianomali"), QStringLiteral("anomalo"), false))
        << "still running";

    fp.clock->set(2004, 3, 5, 11, 0, 0);
    session->requestExit();
    const Rows pc = pcRows(), net = netRows();
    ASSERT_EQ(pc.size(), 2u);
    ASSERT_EQ(net.size(), 2u);
    EXPECT_EQ(pc[1][0].toDouble(), pc[0][1].toDouble());
    EXPECT_EQ(net[1][0].toDouble(), net[0][1].toDouble());
    EXPECT_EQ(timeText(net[1][2].toDouble()), QStringLiteral("00.20.00"));
}

}  // namespace
}  // namespace telmora::test
