// Dial-up connections of the simulated service, seen by the real program.

#include <gtest/gtest.h>

#include <QThread>
#include <csignal>

#include "QtPrinters.h"
#include "SimRun.h"
#include "uDateTime.h"
#include "uPeriodTotals.h"

namespace telmora::test {
namespace {

void connectSim(const SimRun& run, const QString& entry) {
    const IniFile control = run.control();
    control.writeString(QStringLiteral("dialup"), QStringLiteral("entry"), entry);
    control.writeString(QStringLiteral("dialup"), QStringLiteral("devicetype"),
                        QStringLiteral("modem"));
    control.writeString(QStringLiteral("dialup"), QStringLiteral("devicename"),
                        QStringLiteral("ttyS0"));
    control.writeString(QStringLiteral("dialup"), QStringLiteral("state"), QStringLiteral("8192"));
    control.writeString(QStringLiteral("internet"), QStringLiteral("flags"), QStringLiteral("1"));
    control.writeString(QStringLiteral("dialup"), QStringLiteral("count"), QStringLiteral("1"));
}

void disconnectSim(const SimRun& run) {
    run.control().writeString(QStringLiteral("dialup"), QStringLiteral("count"),
                              QStringLiteral("0"));
    run.control().writeString(QStringLiteral("internet"), QStringLiteral("flags"),
                              QStringLiteral("0"));
}

TEST(Connection, AConnectionInTheControlFileIsSeenWithinTwoSecondsAndRecordedWhenGone) {
    SimRun run;
    run.start();
    ASSERT_TRUE(run.waitStarted());
    connectSim(run, QStringLiteral("Casa"));
    EXPECT_TRUE(
        SimRun::waitFor([&] { return run.simlog().contains(QStringLiteral("tray animate on")); },
                        std::chrono::seconds(2)));
    QThread::sleep(1);
    disconnectSim(run);
    ASSERT_TRUE(SimRun::waitFor([&] { return !run.netRows().empty(); }, std::chrono::seconds(10)))
        << run.simlog().join(QLatin1Char('|')).toStdString() << " / "
        << run.readFile(QStringLiteral("telmora.log")).toStdString() << " / "
        << run.readFile(QStringLiteral("telmora.sim")).toStdString();
    EXPECT_TRUE(
        SimRun::waitFor([&] { return run.simlog().contains(QStringLiteral("tray animate off")); },
                        std::chrono::seconds(2)));
    const Rows rows = run.netRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][3].toString(), QStringLiteral("Casa"));
    EXPECT_EQ(timeText(rows[0][2].toDouble()),
              durationText(rows[0][0].toDouble(), rows[0][1].toDouble()));
    EXPECT_GE(rows[0][1].toDouble() - rows[0][0].toDouble(), 0.5 / 86400);
    run.signal(SIGTERM);
    ASSERT_EQ(run.waitExit(), 0);
    EXPECT_EQ(run.netRows().size(), 1u) << "no row at exit once offline";
}

TEST(Connection, ASessionAcrossMidnightGivesTwoRowsOfEachKindMeetingAtOneInstant) {
    SimRun run;
    connectSim(run, QStringLiteral("Notte"));  // already up when the program starts
    run.start(QStringLiteral("2004-03-05 23:59:50"));
    ASSERT_TRUE(run.waitStarted());
    // 00:00:20 on the program's clock.
    QThread::sleep(30);
    disconnectSim(run);
    ASSERT_TRUE(
        SimRun::waitFor([&] { return run.netRows().size() == 2; }, std::chrono::seconds(3)));
    run.signal(SIGTERM);
    ASSERT_EQ(run.waitExit(), 0);

    const Rows net = run.netRows(), pc = run.pcRows();
    ASSERT_EQ(net.size(), 2u);
    ASSERT_EQ(pc.size(), 2u);
    const DateTime split = pc[0][1].toDouble();
    EXPECT_EQ(pc[1][0].toDouble(), split);
    EXPECT_EQ(net[0][1].toDouble(), split);
    EXPECT_EQ(net[1][0].toDouble(), split);
    EXPECT_EQ(dayText(split), QStringLiteral("06/03/2004"));
    EXPECT_LT(split - encodeDate(2004, 3, 6), 1.0 / 86400)
        << "within the first second after midnight";
    EXPECT_EQ(dayText(net[0][0].toDouble()), QStringLiteral("05/03/2004"));
    for (const Rows* rows : {&net, &pc}) {
        for (const auto& row : *rows) {
            EXPECT_EQ(timeText(row[2].toDouble()),
                      durationText(row[0].toDouble(), row[1].toDouble()));
        }
    }
    EXPECT_EQ(net[1][3].toString(), QStringLiteral("Notte"));
    EXPECT_TRUE(timeText(net[1][2].toDouble()).startsWith(QStringLiteral("00.00.")));

    // The command-line report reads what the program wrote as the window does.
    TDataModule1 data(run.dbPath());
    PeriodTotals totals(data);
    struct Period {
        const char* flag;
        Activity activity;
        PeriodKind kind;
        const char* option;
        const char* value;
    };
    const Period periods[] = {
        {"--internet", Activity::Internet, PeriodKind::Day, "--day", "05/03/2004"},
        {"--internet", Activity::Internet, PeriodKind::Day, "--day", "06/03/2004"},
        {"--internet", Activity::Internet, PeriodKind::Month, "--month", "2004/03"},
        {"--pc", Activity::Pc, PeriodKind::Year, "--year", "2004"},
    };
    for (const Period& p : periods) {
        QProcess tool;
        tool.start(QStringLiteral(TELMORA_BIN_DIR "/telmora-report"),
                   {QStringLiteral("--db"), run.dbPath(), QString::fromLatin1(p.flag),
                    QString::fromLatin1(p.option), QString::fromLatin1(p.value)});
        ASSERT_TRUE(tool.waitForFinished(20000));
        EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
        const PeriodReport r = totals.compute(p.activity, p.kind, QString::fromLatin1(p.value));
        EXPECT_EQ(QString::fromUtf8(tool.readAllStandardOutput()),
                  r.lbltot + QLatin1Char('\n') + r.lblcalls + QLatin1Char('\n') + r.lblmax +
                      QLatin1Char('\n') + r.lblurl + QLatin1Char('\n'))
            << p.value;
    }
    EXPECT_EQ(
        totals.compute(Activity::Internet, PeriodKind::Month, QStringLiteral("2004/03")).lblcalls,
        QStringLiteral("Chiamate:  2"));
}

}  // namespace
}  // namespace telmora::test
