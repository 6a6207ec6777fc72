// The check of one minute, run as the worker runs it but on the test's thread: the sums of
// today and of this month with the connection under way, the notices and their texts, the
// hang-up, and that a notice goes out once.

#include "LimitsFixture.h"
#include "uLimitNotice.h"

namespace telmora::test {
namespace {

const QString kDayTitle = QStringLiteral("Telmora. Avviso limite giornaliero");
const QString kMonthTitle = QStringLiteral("Telmora. Avviso limite mensile");
const QString kHangUpText =
    QStringLiteral("\rè stato superato. Disconnessione automatica in corso...");

QString dayLine(int hours, const QString& total) {
    return QStringLiteral("balloon ") + kDayTitle +
           QStringLiteral("|Il limite giornaliero di connessione internet\rdi ") +
           limitHoursText(hours) + QStringLiteral(" è stato superato. ") + total +
           QStringLiteral("|1|10");
}
QString dayHangUpLine(int hours) {
    return QStringLiteral("balloon ") + kDayTitle +
           QStringLiteral("|Il limite giornaliero di connessione internet di ") +
           limitHoursText(hours) + kHangUpText + QStringLiteral("|1|10");
}
QString monthLine(int hours, const QString& total) {
    return QStringLiteral("balloon ") + kMonthTitle +
           QStringLiteral("|Il limite mensile di connessione internet\rdi ") +
           limitHoursText(hours) + QStringLiteral(" è stato superato. ") + total +
           QStringLiteral("|1|10");
}
QString monthHangUpLine(int hours) {
    return QStringLiteral("balloon ") + kMonthTitle +
           QStringLiteral("|Il limite mensile di connessione internet di ") +
           limitHoursText(hours) + kHangUpText + QStringLiteral("|1|10");
}

DateTime hms(int h, int m, int s) {
    return (h * 3600 + m * 60 + s) / 86400.0;
}
DateTime at(int d, int h, int m, int s = 0, int mo = 3) {
    return encodeDateTime(2004, mo, d, h, m, s);
}

struct Call {
    DateTime start;
    DateTime length;
};

struct CheckCase {
    const char* name;
    LimitSettings limits;
    std::vector<Call> calls;    // finished calls in the database
    DateTime open;              // how long the connection under way has lasted
    int runs;                   // checks in a row, each from the host's state as left
    QStringList balloons;       // every notice of those runs, in order
    int hangups;                // calls of the autodial hang-up
    bool dayGiven, monthGiven;  // the host's flags afterwards
    const char* lastTotal;      // total text the last run left ("" when it summed nothing)
    bool rearmed;               // whether the last run started the timer again
    std::uint32_t connected = kConnModem;
    bool dayGivenBefore = false;
};

LimitSettings day(int hours, bool hangUp = false) {
    LimitSettings s;
    s.daylimit = true;
    s.hdaylimit = hours;
    s.disconnectday = hangUp;
    return s;
}
LimitSettings month(int hours, bool hangUp = false) {
    LimitSettings s;
    s.monthlimit = true;
    s.hmonthlimit = hours;
    s.disconnectmonth = hangUp;
    return s;
}
LimitSettings both(int dayHours, int monthHours, bool hangUpDay = false) {
    LimitSettings s = day(dayHours, hangUpDay);
    s.monthlimit = true;
    s.hmonthlimit = monthHours;
    return s;
}

const CheckCase kCases[] = {
    {"one second short of the daily limit",
     day(2),
     {{at(5, 9, 0), hms(1, 0, 0)}},
     hms(0, 59, 59),
     1,
     {},
     0,
     false,
     false,
     "(1.59.59)",
     true},
    {"daily limit reached to the second",
     day(2),
     {{at(5, 9, 0), hms(1, 0, 0)}},
     hms(1, 0, 0),
     1,
     {dayLine(2, QStringLiteral("(2.00.00)"))},
     0,
     true,
     false,
     "(2.00.00)",
     false},
    {"minutes and seconds carried into the hour",
     day(2),
     {{at(5, 8, 0), hms(0, 40, 30)}, {at(5, 9, 0), hms(0, 30, 45)}},
     hms(0, 50, 0),
     1,
     {dayLine(2, QStringLiteral("(2.01.15)"))},
     0,
     true,
     false,
     "(2.01.15)",
     false},
    {"an accumulator of exactly one hour carries",
     day(2),
     {{at(5, 8, 0), hms(0, 30, 30)}, {at(5, 9, 0), hms(0, 30, 30)}},
     hms(0, 59, 0),
     1,
     {dayLine(2, QStringLiteral("(2.00.00)"))},
     0,
     true,
     false,
     "(2.00.00)",
     false},
    {"yesterday's and last month's calls are not today's",
     day(2),
     {{at(4, 9, 0), hms(5, 0, 0)}, {at(5, 9, 0, 0, 2), hms(5, 0, 0)}, {at(5, 9, 0), hms(1, 0, 0)}},
     hms(0, 30, 0),
     1,
     {},
     0,
     false,
     false,
     "(1.30.00)",
     true},
    {"one hour reads 1 ora, with the hang-up",
     day(1, true),
     {},
     hms(1, 0, 5),
     1,
     {dayHangUpLine(1)},
     1,
     true,
     false,
     "(1.00.05)",
     false},
    {"five hours read 5 ore",
     day(5),
     {{at(5, 8, 0), hms(4, 59, 0)}},
     hms(0, 1, 0),
     1,
     {dayLine(5, QStringLiteral("(5.00.00)"))},
     0,
     true,
     false,
     "(5.00.00)",
     false},
    {"a daily notice goes out once",
     day(1),
     {},
     hms(1, 10, 0),
     3,
     {dayLine(1, QStringLiteral("(1.10.00)"))},
     0,
     true,
     false,
     "",
     false},
    {"the month sums every day of the month and no other",
     month(10),
     {{at(1, 9, 0), hms(4, 20, 0)},
      {at(3, 9, 0), hms(5, 0, 0)},
      {at(29, 9, 0, 0, 2), hms(9, 0, 0)},
      {at(1, 9, 0, 0, 4), hms(9, 0, 0)}},
     hms(0, 40, 0),
     1,
     {monthLine(10, QStringLiteral("(10.00.00)"))},
     0,
     false,
     true,
     "(10.00.00)",
     false},
    {"monthly limit with the hang-up",
     month(3, true),
     {{at(2, 9, 0), hms(3, 0, 0)}},
     hms(0, 0, 1),
     1,
     {monthHangUpLine(3)},
     1,
     false,
     true,
     "(3.00.01)",
     false},
    {"both reached: the month waits for the next minute",
     both(2, 3),
     {{at(2, 9, 0), hms(1, 30, 0)}, {at(5, 9, 0), hms(1, 30, 0)}},
     hms(0, 30, 0),
     2,
     {dayLine(2, QStringLiteral("(2.00.00)")), monthLine(3, QStringLiteral("(3.31.00)"))},
     0,
     true,
     true,
     "(3.31.00)",
     false},
    {"both reached with the daily hang-up: the month still waits",
     both(2, 3, true),
     {{at(2, 9, 0), hms(1, 30, 0)}, {at(5, 9, 0), hms(1, 30, 0)}},
     hms(0, 30, 0),
     1,
     {dayHangUpLine(2)},
     1,
     true,
     false,
     "(2.00.00)",
     true},
    {"daily notice given already: only the month is summed",
     both(1, 50),
     {{at(2, 9, 0), hms(1, 30, 0)}},
     hms(2, 0, 0),
     1,
     {},
     0,
     true,
     false,
     "(3.30.00)",
     true,
     kConnModem,
     true},
    {"a hang-up without a connection does nothing, the notice stays given",
     day(1, true),
     {},
     hms(2, 0, 0),
     2,
     {dayHangUpLine(1)},
     0,
     true,
     false,
     "",
     false,
     0},
    {"whole days of the open connection are dropped",
     day(2),
     {},
     1 + hms(1, 10, 0),
     1,
     {},
     0,
     false,
     false,
     "(1.10.00)",
     true},
    {"a connection starting after now counts nothing",
     day(1),
     {},
     -hms(0, 5, 0),
     1,
     {},
     0,
     false,
     false,
     "(0.00.00)",
     true},
};

class LimitCheckTest : public LimitsFixture, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(LimitCheckTest, SumsNoticesAndRearms) {
    const CheckCase& c = GetParam();
    host.limits = c.limits;
    host.dayGiven = c.dayGivenBefore;
    fp.internet->flags = c.connected;
    for (const Call& call : c.calls) addCallOf(call.start, call.length);
    openFor(c.open);

    LimitSnapshot snapshot;
    for (int run = 0; run < c.runs; ++run) {
        watch->stop();
        snapshot = takeSnapshot(host);
        QueryLease lease(data->ADOQueryNotify);
        runLimitChecks(lease.query(), fp.clock->now(), snapshot,
                       [&](LimitKind kind) { watch->giveNotice(kind, snapshot); });
        watch->rearm(snapshot);
        fp.clock->value += hms(0, 1, 0);
    }

    EXPECT_EQ(tray.log, c.balloons);
    EXPECT_EQ(fp.internet->hangups, c.hangups);
    EXPECT_EQ(host.dayGiven, c.dayGiven);
    EXPECT_EQ(host.monthGiven, c.monthGiven);
    EXPECT_EQ(snapshot.dayNoticeGiven, c.dayGiven);
    EXPECT_EQ(snapshot.monthNoticeGiven, c.monthGiven);
    EXPECT_EQ(snapshot.totalText, QString::fromLatin1(c.lastTotal));
    EXPECT_EQ(watch->active(), c.rearmed);
}

INSTANTIATE_TEST_SUITE_P(Table, LimitCheckTest, ::testing::ValuesIn(kCases),
                         [](const auto& c) { return caseName(c.param.name); });

// Whole hours are summed without folding them into days: a month can hold hundreds.
TEST(HourTallyTest, CountsHoursBeyondADay) {
    HourTally tally;
    for (int i = 0; i < 30; ++i) tally.add(TimeOfDay{23, 59, 59, 999});
    EXPECT_EQ(tally.hours(), 30 * 23 + 29);
    EXPECT_EQ(tally.totalText(), QStringLiteral("(719.59.30)"));
}

}  // namespace
}  // namespace telmora::test
