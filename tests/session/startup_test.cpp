// Start-up, orderly exit, failed exits and the clock-change exit.

#include <QDir>
#include <QFile>

#include "SessionFixture.h"

namespace telmora::test {
namespace {

using StartupTest = SessionFixture;

QString ini(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QString::fromUtf8(f.readAll());
}

void writeIni(const QString& path, const QByteArray& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

TEST_F(StartupTest, FirstStartThenOrderlyExitLeavesOneRowAndTheSettings) {
    fp.clock->set(2004, 3, 5, 10, 0, 0);
    session->startUp();
    EXPECT_TRUE(fp.process->idle);
    EXPECT_TRUE(fp.autostart->present);
    EXPECT_EQ(fp.autostart->writtenPath, dir.filePath(QStringLiteral("telmora")));
    EXPECT_EQ(view.dayPicker, encodeDate(2004, 3, 5));
    EXPECT_EQ(ini(iniPath), QStringLiteral("[arrestianomali]\nanomalo=1\n\n"
                                           "[opzioni]\nprimoavvio=05/03/2004 10.00.00\n"));

    fp.clock->set(2004, 3, 5, 12, 30, 0);
    session->requestExit();
    EXPECT_EQ(exits(), 1);
    const Rows rows = pcRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0].toDouble(), encodeDateTime(2004, 3, 5, 10, 0, 0));
    EXPECT_EQ(rows[0][1].toDouble(), encodeDateTime(2004, 3, 5, 12, 30, 0));
    EXPECT_EQ(timeText(rows[0][2].toDouble()), QStringLiteral("02.30.00"));
    EXPECT_TRUE(netRows().empty());
    EXPECT_EQ(ini(iniPath), QStringLiteral("[arrestianomali]\nanomalo=0\n\n"
                                           "[opzioni]\nprimoavvio=05/03/2004 10.00.00\n"
                                           "tracciaweb=0\nrg=0\ndaylimit=0\nmonthlimit=0\n"
                                           "disconnectday=0\ndisconnectmonth=0\nhdaylimit=1\n"
                                           "hmonthlimit=1\n"));
    EXPECT_FALSE(data->connected());
    EXPECT_TRUE(errors().isEmpty());
}

TEST_F(StartupTest, AbnormalStopsAreCountedOncePerUnfinishedRun) {
    struct Case {
        QByteArray before;
        int stops;
        bool anomaloAfter;
    };
    const Case cases[] = {
        {"", 0, true},
        {"[arrestianomali]\narresti=4\nanomalo=1\n", 5, true},
        {"[ARRESTIANOMALI]\nArresti=0x2\nANOMALO=yes\n", 2, true},  // yes is no number: false
        {"[arrestianomali]\narresti=abc\nanomalo=1\n", 1, true},
    };
    for (const Case& c : cases) {
        QFile::remove(iniPath);
        if (!c.before.isEmpty()) writeIni(iniPath, c.before);
        session->startUp();
        EXPECT_EQ(session->abnormalStops(), c.stops) << c.before.constData();
        const IniFile file(iniPath);
        EXPECT_EQ(file.readInteger(QStringLiteral("arrestianomali"), QStringLiteral("arresti"), 0),
                  c.stops);
        EXPECT_EQ(file.readBool(QStringLiteral("arrestianomali"), QStringLiteral("anomalo"), false),
                  c.anomaloAfter);
    }
}

TEST_F(StartupTest, ExistingAutostartEntryAndFirstStartAreLeftAlone) {
    fp.autostart->present = true;
    writeIni(iniPath, "[opzioni]\nprimoavvio=01/01/2001 01.01.01\nrg=1\nhdaylimit=7\n");
    session->startUp();
    EXPECT_TRUE(fp.autostart->writtenPath.isEmpty());
    EXPECT_EQ(session->settings().firstStart(), QStringLiteral("01/01/2001 01.01.01"));
    EXPECT_EQ(view.shown.rg, 1);
    EXPECT_EQ(view.shown.hdaylimit, 7);
}

TEST_F(StartupTest, FailedStepIsReportedAndTheSettingsAreStillLoaded) {
    fp.dialUp->loaded = false;
    rebuildSession(iniPath);
    fp.autostart->failWrite = true;
    writeIni(iniPath, "[opzioni]\nrg=1\nhdaylimit=5\ndaylimit=1\n");
    session->startUp();
    EXPECT_EQ(errors(),
              (QStringList{QStringLiteral("RASAPI Not Loaded, unable to access RAS Functions."),
                           QStringLiteral("autostart.")}));
    EXPECT_EQ(session->options().rg, 1);
    EXPECT_EQ(session->options().hdaylimit, 5);
    EXPECT_TRUE(session->options().daylimit);
    // The exit then keeps what the user had set.
    session->requestExit();
    EXPECT_EQ(exits(), 1);
    EXPECT_EQ(session->settings().loadOptions().hdaylimit, 5);
}

TEST_F(StartupTest, ExitWhileOnlineEndsBothRowsAtTheSameInstant) {
    fp.clock->set(2004, 3, 5, 10, 0, 0);
    session->startUp();
    connect("Casa");
    at(2004, 3, 5, 10, 5, 0);
    fp.clock->set(2004, 3, 5, 11, 0, 0, 250);
    session->requestExit();
    const Rows pc = pcRows(), net = netRows();
    ASSERT_EQ(pc.size(), 1u);
    ASSERT_EQ(net.size(), 1u);
    EXPECT_EQ(net[0][0].toDouble(), encodeDateTime(2004, 3, 5, 10, 5, 0));
    EXPECT_EQ(net[0][1].toDouble(), pc[0][1].toDouble());
    EXPECT_EQ(timeText(net[0][2].toDouble()), QStringLiteral("00.55.00"));
    EXPECT_EQ(net[0][3].toString(), QStringLiteral("Casa"));
}

TEST_F(StartupTest, MissingDatabaseAbandonsTheExitAndARetryWritesOnce) {
    fp.clock->set(2004, 3, 5, 10, 0, 0);
    session->startUp();
    ASSERT_TRUE(QFile::rename(dbPath, dbPath + QStringLiteral(".away")));
    fp.clock->set(2004, 3, 5, 11, 0, 0);
    session->requestExit();
    EXPECT_EQ(exits(), 0);
    ASSERT_EQ(errors().size(), 1);
    EXPECT_TRUE(errors()[0].startsWith(QStringLiteral("Impossibile aprire il database")));
    EXPECT_FALSE(QFile::exists(dbPath)) << "the database must never be created";
    EXPECT_TRUE(IniFile(iniPath).readBool(QStringLiteral("arrestianomali"),
                                          QStringLiteral("anomalo"), false));
    EXPECT_FALSE(IniFile(iniPath).valueExists(QStringLiteral("opzioni"), QStringLiteral("rg")));
    EXPECT_FALSE(session->timercambiodata().isActive());

    ASSERT_TRUE(QFile::rename(dbPath + QStringLiteral(".away"), dbPath));
    fp.clock->set(2004, 3, 5, 11, 30, 0);
    session->requestExit();
    EXPECT_EQ(exits(), 1);
    const Rows rows = pcRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(timeText(rows[0][2].toDouble()), QStringLiteral("01.30.00"));
}

TEST_F(StartupTest, UnwritableSettingsAbandonTheExitWithoutWritingTheSessionTwice) {
    const QString folder = dir.filePath(QStringLiteral("gone"));
    rebuildSession(folder + QStringLiteral("/telmora.ini"));
    fp.clock->set(2004, 3, 5, 10, 0, 0);
    session->startUp();
    ASSERT_FALSE(errors().isEmpty());
    EXPECT_EQ(errors()[0], QStringLiteral("Unable to write to %1/telmora.ini.").arg(folder));

    fp.clock->set(2004, 3, 5, 11, 0, 0);
    session->requestExit();
    EXPECT_EQ(exits(), 0);
    fp.clock->set(2004, 3, 5, 11, 0, 30);
    session->requestExit();
    const Rows rows = pcRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1][0].toDouble(), rows[0][1].toDouble());
    EXPECT_EQ(timeText(rows[1][2].toDouble()), QStringLiteral("00.00.30"));
}

TEST_F(StartupTest, ErrorsAreLoggedWithTimeAndSource) {
    fp.clock->set(2004, 3, 5, 18, 7, 31);
    fp.dialUp->loaded = false;
    rebuildSession(iniPath);
    session->startUp();
    QFile log(dir.filePath(QStringLiteral("telmora.log")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(log.readAll()),
              QStringLiteral("05/03/2004 18.07.31 TRasMonitor:RASAPI Not Loaded, unable to access "
                             "RAS Functions\n"));
}

TEST_F(StartupTest, DateChangeEndsTheProgramWithoutRowsAndSavesTheSettings) {
    fp.clock->set(2004, 3, 5, 10, 0, 0);
    session->startUp();
    connect();
    at(2004, 3, 5, 10, 0, 1);

    fp.clock->set(2004, 3, 5, 17, 0, 0);  // a new time, the same day: nothing happens
    session->onClockChanged();
    EXPECT_EQ(view.finishes, 0);
    EXPECT_TRUE(session->timercambiodata().isActive());

    fp.clock->set(2004, 3, 9, 9, 0, 0);
    session->onClockChanged();
    EXPECT_EQ(view.finishes, 1);
    EXPECT_TRUE(tray.log.contains(QStringLiteral(
        "balloon Telmora. Arresto programma|E' stata modificata la data di sistema\rChiusura di "
        "Telmora in corso...|2|10")));
    EXPECT_EQ(tray.log.last(), QStringLiteral("hide"));
    EXPECT_TRUE(pcRows().empty());
    EXPECT_TRUE(netRows().empty());
    EXPECT_FALSE(session->timercambiodata().isActive());
    EXPECT_FALSE(data->connected());
    const IniFile file(iniPath);
    EXPECT_FALSE(file.readBool(QStringLiteral("arrestianomali"), QStringLiteral("anomalo"), true));
    EXPECT_TRUE(file.valueExists(QStringLiteral("opzioni"), QStringLiteral("hmonthlimit")));
}

}  // namespace
}  // namespace telmora::test
