// Start, orderly end, refused second copy, killed runs and the date change, on the real program.

#include <gtest/gtest.h>

#include <QThread>
#include <csignal>

#include "QtPrinters.h"
#include "SimRun.h"
#include "uDateTime.h"

namespace telmora::test {
namespace {

const QString kAbnormal = QStringLiteral("arrestianomali");

TEST(Lifecycle, FirstStartAndSigtermLeaveTheSettingsAndOnePcRow) {
    SimRun run;
    run.start(QStringLiteral("2004-03-05 18:07:31"));
    ASSERT_TRUE(run.waitStarted());
    // The fake clock runs from the process's start: the program reads it a moment later.
    const QString first = run.settings().readString(QStringLiteral("opzioni"),
                                                    QStringLiteral("primoavvio"), QString());
    const auto firstStart = parseDisplayText(first);
    ASSERT_TRUE(firstStart) << first.toStdString();
    EXPECT_GE(*firstStart, encodeDateTime(2004, 3, 5, 18, 7, 31));
    EXPECT_LE(*firstStart, encodeDateTime(2004, 3, 5, 18, 7, 41));
    EXPECT_EQ(
        run.readFile(QStringLiteral("telmora.ini")),
        QStringLiteral("[arrestianomali]\nanomalo=1\n\n[opzioni]\nprimoavvio=%1\n").arg(first));
    QThread::sleep(2);
    run.signal(SIGTERM);
    ASSERT_EQ(run.waitExit(), 0);

    EXPECT_EQ(run.readFile(QStringLiteral("telmora.ini")),
              QStringLiteral("[arrestianomali]\nanomalo=0\n\n[opzioni]\nprimoavvio=%1\n"
                             "tracciaweb=0\nrg=0\ndaylimit=0\nmonthlimit=0\n"
                             "disconnectday=0\ndisconnectmonth=0\nhdaylimit=1\nhmonthlimit=1\n")
                  .arg(first));
    const Rows rows = run.pcRows();
    ASSERT_EQ(rows.size(), 1u);
    const DateTime start = rows[0][0].toDouble(), stop = rows[0][1].toDouble();
    EXPECT_EQ(dayText(start), QStringLiteral("05/03/2004"));
    EXPECT_NEAR(start, *firstStart, 2.0 / 86400) << "the session starts with the program";
    EXPECT_GE(stop - start, 2.0 / 86400);
    EXPECT_EQ(timeText(rows[0][2].toDouble()), durationText(start, stop));
    EXPECT_TRUE(run.netRows().empty());
    EXPECT_TRUE(QFile::exists(run.path(QStringLiteral("home/.config/autostart/Telmora.desktop"))));
}

TEST(Lifecycle, ASecondCopyEndsAtOnceAndTouchesNothing) {
    SimRun run;
    QProcess& first = run.start();
    ASSERT_TRUE(run.waitStarted());
    const QString before = run.readFile(QStringLiteral("telmora.ini"));

    QProcess second;
    second.setProcessEnvironment(first.processEnvironment());
    second.start(run.path(QStringLiteral("telmora")), {});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(run.readFile(QStringLiteral("telmora.ini")), before);
    EXPECT_TRUE(run.pcRows().empty());

    run.signal(SIGTERM);
    ASSERT_EQ(run.waitExit(), 0);
    EXPECT_EQ(run.pcRows().size(), 1u);
}

TEST(Lifecycle, KilledRunsAreCountedOnceEachAndTheDatabaseStaysWhole) {
    SimRun run;
    for (int kill = 1; kill <= 2; ++kill) {
        run.start();
        ASSERT_TRUE(run.waitStarted());
        ASSERT_TRUE(SimRun::waitFor([&] {
            return run.settings().readInteger(kAbnormal, QStringLiteral("arresti"), 0) == kill - 1;
        }));
        QThread::msleep(300 * kill);
        run.signal(SIGKILL);
        run.waitExit();
    }
    run.start();
    ASSERT_TRUE(SimRun::waitFor(
        [&] { return run.settings().readInteger(kAbnormal, QStringLiteral("arresti"), 0) == 2; }));
    run.signal(SIGTERM);
    ASSERT_EQ(run.waitExit(), 0);
    EXPECT_EQ(run.settings().readInteger(kAbnormal, QStringLiteral("arresti"), 0), 2);
    EXPECT_FALSE(run.settings().readBool(kAbnormal, QStringLiteral("anomalo"), true));
    EXPECT_EQ(readRows(run.dbPath(), QStringLiteral("PRAGMA integrity_check"))[0][0].toString(),
              QStringLiteral("ok"));
    EXPECT_EQ(run.pcRows().size(), 1u) << "killed runs leave no row";
}

TEST(Lifecycle, ADateChangeEndsTheProgramAfterTheNoticeWithoutRows) {
    SimRun run;
    run.start(QStringLiteral("2004-03-05 10:00:00"), SimRun::Clock::Settable);
    ASSERT_TRUE(run.waitStarted());

    // A new time on the same day: nothing happens.
    run.setFakeTime(QStringLiteral("2004-03-05 16:00:00"));
    run.control().writeString(QStringLiteral("clock"), QStringLiteral("changed"),
                              QStringLiteral("1"));
    QThread::sleep(1);
    EXPECT_TRUE(run.simlog().isEmpty());

    // The clock and its notice change together, as when the system clock is set: the program
    // is held meanwhile so that no tick of its own sees the new date first.
    run.signal(SIGSTOP);
    run.setFakeTime(QStringLiteral("2004-03-09 09:00:00"));
    run.control().writeString(QStringLiteral("clock"), QStringLiteral("changed"),
                              QStringLiteral("2"));
    run.signal(SIGCONT);
    ASSERT_TRUE(SimRun::waitFor([&] { return !run.simlog().isEmpty(); }, std::chrono::seconds(5)));
    const auto noticed = std::chrono::steady_clock::now();
    EXPECT_EQ(run.simlog(), QStringList{QStringLiteral(
                                "balloon Telmora. Arresto programma|E' stata modificata la "
                                "data di sistema\\rChiusura di Telmora in corso...|"
                                "warning|10")});
    ASSERT_EQ(run.waitExit(), 0);
    EXPECT_GE(std::chrono::steady_clock::now() - noticed, std::chrono::milliseconds(4500));
    EXPECT_TRUE(run.pcRows().empty());
    EXPECT_FALSE(run.settings().readBool(kAbnormal, QStringLiteral("anomalo"), true));
    EXPECT_TRUE(
        run.settings().valueExists(QStringLiteral("opzioni"), QStringLiteral("hmonthlimit")));

    // The exit counted as orderly: the next start counts no abnormal stop.
    run.start();
    ASSERT_TRUE(run.waitStarted());
    EXPECT_EQ(run.settings().readInteger(kAbnormal, QStringLiteral("arresti"), 0), 0);
    run.signal(SIGTERM);
    ASSERT_EQ(run.waitExit(), 0);
}

// A logoff while an error box is open (no dial-up service) still ends the program in order.
TEST(Lifecycle, ASigtermWhileAnErrorBoxIsOpenEndsTheRunInOrder) {
    SimRun run;
    run.control().writeString(QStringLiteral("dialup"), QStringLiteral("loaded"),
                              QStringLiteral("0"));
    run.start(QStringLiteral("2004-03-05 10:00:00"));
    ASSERT_TRUE(run.waitStarted());
    ASSERT_TRUE(SimRun::waitFor(
        [&] { return run.readFile(QStringLiteral("telmora.log")).contains("RASAPI"); }));
    QThread::sleep(1);
    run.signal(SIGTERM);
    // Five seconds are the goal; the bound leaves room for a loaded machine under the sanitizers.
    ASSERT_EQ(run.waitExit(std::chrono::seconds(10)), 0);
    EXPECT_EQ(run.pcRows().size(), 1u);
    EXPECT_FALSE(run.settings().readBool(kAbnormal, QStringLiteral("anomalo"), true));
    EXPECT_TRUE(run.simlog().filter(QStringLiteral("dial")).isEmpty());
}

// Once the date-change exit has begun, a logoff writes no row either.
TEST(Lifecycle, ASigtermDuringTheDateChangeNoticeWritesNoRow) {
    SimRun run;
    run.start(QStringLiteral("2004-03-05 10:00:00"), SimRun::Clock::Settable);
    ASSERT_TRUE(run.waitStarted());
    run.signal(SIGSTOP);
    run.setFakeTime(QStringLiteral("2004-03-09 09:00:00"));
    run.control().writeString(QStringLiteral("clock"), QStringLiteral("changed"),
                              QStringLiteral("1"));
    run.signal(SIGCONT);
    ASSERT_TRUE(SimRun::waitFor([&] { return !run.simlog().isEmpty(); }, std::chrono::seconds(5)));
    run.signal(SIGTERM);
    ASSERT_EQ(run.waitExit(), 0);
    EXPECT_TRUE(run.pcRows().empty());
    EXPECT_TRUE(run.netRows().empty());
    EXPECT_FALSE(run.settings().readBool(kAbnormal, QStringLiteral("anomalo"), true));
}

}  // namespace
}  // namespace telmora::test
