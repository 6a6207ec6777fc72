// The session recorder against the fake clock and monitor: which rows each story leaves.

#include <QFile>

#include "SessionFixture.h"

namespace telmora::test {
namespace {

using RecorderTest = SessionFixture;

struct Expected {
    DateTime start, stop;
    const char* duration;
};

void expectRows(const Rows& rows, const std::vector<Expected>& expected, const char* table) {
    ASSERT_EQ(rows.size(), expected.size()) << table;
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(displayText(rows[i][0].toDouble()), displayText(expected[i].start)) << table << i;
        EXPECT_EQ(displayText(rows[i][1].toDouble()), displayText(expected[i].stop)) << table << i;
        EXPECT_DOUBLE_EQ(rows[i][0].toDouble(), expected[i].start) << table << i;
        EXPECT_DOUBLE_EQ(rows[i][1].toDouble(), expected[i].stop) << table << i;
        EXPECT_EQ(timeText(rows[i][2].toDouble()), QString::fromLatin1(expected[i].duration))
            << table << i;
    }
}

DateTime t(int d, int h, int mi, int s, int ms = 0) {
    return encodeDateTime(2004, 3, d, h, mi, s, ms);
}

TEST_F(RecorderTest, ConnectAndDisconnectWithinADay) {
    fp.clock->value = t(5, 9, 0, 0);
    session->startUp();
    connect("Casa");
    at(2004, 3, 5, 10, 0, 0);
    EXPECT_TRUE(tray.animating);
    disconnect();
    at(2004, 3, 5, 10, 42, 7);
    expectRows(netRows(), {{t(5, 10, 0, 0), t(5, 10, 42, 7), "00.42.07"}}, "ETIME");
    EXPECT_EQ(netRows()[0][3].toString(), QStringLiteral("Casa"));
    EXPECT_TRUE(pcRows().empty());
    EXPECT_FALSE(tray.animating);
    EXPECT_EQ(tray.log, (QStringList{QStringLiteral("animate on"), QStringLiteral("animate off")}));
}

TEST_F(RecorderTest, AConnectionAcrossMidnightIsSplitAtTheFirstTick) {
    fp.clock->value = t(5, 23, 0, 0);
    session->startUp();
    connect();
    at(2004, 3, 5, 23, 30, 0);
    at(2004, 3, 5, 23, 59, 59, 600);
    at(2004, 3, 6, 0, 0, 0, 400);  // the split instant
    at(2004, 3, 6, 0, 0, 1, 400);
    disconnect();
    at(2004, 3, 6, 0, 15, 0);
    const DateTime split = t(6, 0, 0, 0, 400);
    expectRows(netRows(),
               {{t(5, 23, 30, 0), split, "00.30.00"}, {split, t(6, 0, 15, 0), "00.14.59"}},
               "ETIME");
    expectRows(pcRows(), {{t(5, 23, 0, 0), split, "01.00.00"}}, "PCTIME");
    EXPECT_EQ(session->currentDay(), encodeDate(2004, 3, 6));
}

TEST_F(RecorderTest, APcSessionAcrossTwoMidnightsGivesThreeRowsAtExit) {
    fp.clock->value = t(5, 22, 0, 0);
    session->startUp();
    at(2004, 3, 6, 0, 0, 0, 900);
    at(2004, 3, 7, 0, 0, 1);
    fp.clock->value = t(7, 8, 0, 0);
    session->requestExit();
    expectRows(pcRows(),
               {{t(5, 22, 0, 0), t(6, 0, 0, 0, 900), "02.00.00"},
                {t(6, 0, 0, 0, 900), t(7, 0, 0, 1), "23.59.59"},
                {t(7, 0, 0, 1), t(7, 8, 0, 0), "07.59.59"}},
               "PCTIME");
}

TEST_F(RecorderTest, AResumeDaysLaterWritesTheCappedDuration) {
    fp.clock->value = t(1, 22, 0, 0);
    session->startUp();
    connect();
    at(2004, 3, 1, 22, 0, 1);
    at(2004, 3, 3, 9, 0, 0);  // the first tick after the suspend
    expectRows(pcRows(), {{t(1, 22, 0, 0), t(3, 9, 0, 0), "23.59.59"}}, "PCTIME");
    expectRows(netRows(), {{t(1, 22, 0, 1), t(3, 9, 0, 0), "23.59.59"}}, "ETIME");
}

TEST_F(RecorderTest, AConnectionWithoutDisconnectEventIsWrittenAtMidnightAndAtExit) {
    fp.clock->value = t(5, 20, 0, 0);
    session->startUp();
    connect();
    at(2004, 3, 5, 21, 0, 0);
    // The link stays enumerated in another state: no disconnected event comes.
    fp.dialUp->status = RasConnStatus{IDialUp::kDisconnected, 0};
    at(2004, 3, 6, 0, 0, 0, 500);
    fp.clock->value = t(6, 1, 0, 0);
    session->requestExit();
    const DateTime split = t(6, 0, 0, 0, 500);
    expectRows(netRows(), {{t(5, 21, 0, 0), split, "03.00.00"}, {split, t(6, 1, 0, 0), "00.59.59"}},
               "ETIME");
}

TEST_F(RecorderTest, AFailedSplitIsRetriedOnTheNextTick) {
    fp.clock->value = t(5, 23, 0, 0);
    session->startUp();
    data->closeConnection();
    ASSERT_TRUE(QFile::rename(dbPath, dbPath + QStringLiteral(".away")));
    fp.clock->value = t(6, 0, 0, 0, 300);
    EXPECT_THROW(session->timercambiodataTimer(), Error);
    EXPECT_TRUE(session->timercambiodata().isActive()) << "re-armed whatever failed";
    EXPECT_EQ(session->currentDay(), encodeDate(2004, 3, 5));

    ASSERT_TRUE(QFile::rename(dbPath + QStringLiteral(".away"), dbPath));
    fp.clock->value = t(6, 0, 0, 1, 300);
    session->timercambiodataTimer();
    expectRows(pcRows(), {{t(5, 23, 0, 0), t(6, 0, 0, 1, 300), "01.00.01"}}, "PCTIME");
    EXPECT_EQ(session->currentDay(), encodeDate(2004, 3, 6));
}

TEST_F(RecorderTest, ACallThatCouldNotBeWrittenIsKeptForTheNextWrite) {
    fp.clock->value = t(5, 9, 0, 0);
    session->startUp();
    connect("Casa");
    at(2004, 3, 5, 10, 0, 0);
    data->closeConnection();
    ASSERT_TRUE(QFile::rename(dbPath, dbPath + QStringLiteral(".away")));
    disconnect();
    at(2004, 3, 5, 10, 20, 0);
    EXPECT_EQ(errors().size(), 1) << "the failed write is reported";

    ASSERT_TRUE(QFile::rename(dbPath + QStringLiteral(".away"), dbPath));
    connect("Ufficio");
    at(2004, 3, 5, 11, 0, 0);
    disconnect();
    at(2004, 3, 5, 11, 5, 0);
    expectRows(netRows(),
               {{t(5, 11, 0, 0), t(5, 11, 5, 0), "00.05.00"},
                {t(5, 10, 0, 0), t(5, 10, 20, 0), "00.20.00"}},
               "ETIME");
    EXPECT_EQ(netRows()[1][3].toString(), QStringLiteral("Casa"));
}

TEST_F(RecorderTest, ACallThatCouldNotBeWrittenIsWrittenAtExit) {
    fp.clock->value = t(5, 9, 0, 0);
    session->startUp();
    connect("Casa");
    at(2004, 3, 5, 10, 0, 0);
    data->closeConnection();
    ASSERT_TRUE(QFile::rename(dbPath, dbPath + QStringLiteral(".away")));
    disconnect();
    at(2004, 3, 5, 10, 20, 0);
    ASSERT_TRUE(QFile::rename(dbPath + QStringLiteral(".away"), dbPath));
    fp.clock->value = t(5, 12, 0, 0);
    session->requestExit();
    EXPECT_EQ(exits(), 1);
    expectRows(netRows(), {{t(5, 10, 0, 0), t(5, 10, 20, 0), "00.20.00"}}, "ETIME");
    expectRows(pcRows(), {{t(5, 9, 0, 0), t(5, 12, 0, 0), "03.00.00"}}, "PCTIME");
}

}  // namespace
}  // namespace telmora::test
