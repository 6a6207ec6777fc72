#include <gtest/gtest.h>

#include <memory>

#include "FixedClock.h"
#include "ReportsFixture.h"
#include "uChartData.h"
#include "uError.h"

namespace telmora {
namespace {

DateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return encodeDateTime(y, mo, d, h, mi, s);
}

// One database for every case; "today" is 15/03/2004 at noon.
class ChartDataTest : public ::testing::TestWithParam<ChartQueries> {
protected:
    static void SetUpTestSuite() {
        db_ = std::make_unique<test::ReportsDatabase>();
        test::ReportsDatabase& db = *db_;
        // 02/03: 0.59.40 + 0.00.30 carries into the hour: 60 minutes.
        db.addPcSession(at(2004, 3, 2, 8), at(2004, 3, 2, 8, 59, 40));
        db.addPcSession(at(2004, 3, 2, 10), at(2004, 3, 2, 10, 0, 30));
        // 03/03: a single 0.00.59 is no minute.
        db.addPcSession(at(2004, 3, 3, 8), at(2004, 3, 3, 8, 0, 59));
        // 05/03: 0.30.30 twice and 0.00.59: the carry of one hour, then 1.59 left: 61.
        db.addPcSession(at(2004, 3, 5, 8), at(2004, 3, 5, 8, 30, 30));
        db.addPcSession(at(2004, 3, 5, 9), at(2004, 3, 5, 9, 30, 30));
        db.addPcSession(at(2004, 3, 5, 10), at(2004, 3, 5, 10, 0, 59));
        // 15/03 (today) and 16/03 (tomorrow, as after a clock set back).
        db.addPcSession(at(2004, 3, 15, 9), at(2004, 3, 15, 9, 10));
        db.addPcSession(at(2004, 3, 16, 9), at(2004, 3, 16, 9, 10));
        // 31/03 ends the month: not in April's first day.
        db.addCall(at(2004, 3, 31, 23), at(2004, 3, 31, 23, 59, 59), QStringLiteral("Fine"));
        // 04/03: one call of 20 hours 34 minutes = 1234 minutes.
        db.addCall(at(2004, 3, 4, 1), at(2004, 3, 4, 21, 34), QStringLiteral("Lunga"));
        db.addCall(at(2004, 3, 14, 23, 50), at(2004, 3, 14, 23, 59, 10), QStringLiteral("Sera"));
        // 29/02 of a leap year, and January.
        db.addPcSession(at(2004, 2, 29, 22), at(2004, 2, 29, 23, 30));
        db.addPcSession(at(2004, 1, 1), at(2004, 1, 1, 2, 0, 45));
        // 2003, and a month of calls only (not in the PC lists).
        db.addPcSession(at(2003, 12, 31, 23), at(2003, 12, 31, 23, 45));
        db.addCall(at(2001, 5, 1, 10), at(2001, 5, 1, 11), QStringLiteral("Solo"));
        // April 2004 lies after today: stored rows are not charted.
        db.addPcSession(at(2004, 4, 2, 9), at(2004, 4, 2, 10));
    }
    static void TearDownTestSuite() { db_.reset(); }

    ChartData data() { return ChartData(db_->module(), clock_, GetParam()); }

    static std::unique_ptr<test::ReportsDatabase> db_;
    test::FixedClock clock_;

    void SetUp() override { clock_.set(2004, 3, 15, 12, 0, 0); }
};
std::unique_ptr<test::ReportsDatabase> ChartDataTest::db_;

constexpr int kNull = -1;

struct PointCase {
    bool year;
    const char* period;
    Activity activity;
    int index;
    int minutes;  // kNull: a null point
};

TEST_P(ChartDataTest, PointsFollowTheSummingRuleAndStopAtToday) {
    const PointCase cases[] = {
        {false, "2004/03", Activity::Pc, 0, 0},           // a day without sessions
        {false, "2004/03", Activity::Pc, 1, 60},          // 0.59.40 + 0.00.30
        {false, "2004/03", Activity::Pc, 2, 0},           // 0.00.59
        {false, "2004/03", Activity::Pc, 4, 61},          // the carry, seconds dropped
        {false, "2004/03", Activity::Pc, 14, 10},         // today
        {false, "2004/03", Activity::Pc, 15, kNull},      // tomorrow, though a row is there
        {false, "2004/03", Activity::Pc, 30, kNull},      // the month's last day
        {false, "2004/03", Activity::Internet, 3, 1234},  // 20 h 34 min
        {false, "2004/03", Activity::Internet, 13, 9},
        {false, "2004/03", Activity::Internet, 14, 0},
        {false, "2004/02", Activity::Pc, 28, 90},  // 29/02 of a leap year
        {false, "2004/02", Activity::Pc, 27, 0},
        {true, "2004", Activity::Pc, 0, 120},  // 2.00.45
        {true, "2004", Activity::Pc, 1, 90},
        // the whole current month, its later days too: 8588 s
        {true, "2004", Activity::Pc, 2, 143},
        {true, "2004", Activity::Pc, 3, kNull},       // April, after the current month
        {true, "2004", Activity::Internet, 2, 1303},  // 78189 s
        {true, "2004", Activity::Internet, 11, kNull},
        {true, "2003", Activity::Pc, 11, 45},
        {true, "2003", Activity::Pc, 0, 0},
        {true, "2001", Activity::Internet, 4, 60},
        {true, "2005", Activity::Pc, 0, kNull},  // a future year is all null
    };
    ChartData chart = data();
    for (const PointCase& c : cases) {
        const QString value = QString::fromLatin1(c.period);
        const ChartPeriod period = c.year ? chart.yearPeriod(value) : chart.monthPeriod(value);
        const ChartSeries series = chart.series(c.activity, period);
        ASSERT_EQ(static_cast<qsizetype>(series.size()), period.labels.size());
        const ChartPoint& point = series[static_cast<size_t>(c.index)];
        SCOPED_TRACE(testing::Message()
                     << c.period << " point " << c.index << " pc " << (c.activity == Activity::Pc));
        if (c.minutes == kNull) {
            EXPECT_FALSE(point.minutes.has_value());
        } else {
            ASSERT_TRUE(point.minutes.has_value());
            EXPECT_EQ(*point.minutes, c.minutes);
        }
        EXPECT_EQ(point.label, period.labels[c.index]);
    }
}

TEST_P(ChartDataTest, FramesOfAMonthAndOfAYear) {
    ChartData chart = data();
    const ChartPeriod march = chart.monthPeriod(QStringLiteral(" 2004/03 "));
    EXPECT_EQ(march.value, QStringLiteral("2004/03"));
    EXPECT_EQ(march.labels.size(), 31);
    EXPECT_EQ(march.chargedCount, 15);
    EXPECT_EQ(march.labels.front(), QStringLiteral("1\nLU"));  // 01/03/2004 was a Monday
    EXPECT_EQ(march.labels[6], QStringLiteral("7\nDO"));
    EXPECT_EQ(march.labels.back(), QStringLiteral("31\nME"));
    EXPECT_EQ(march.foot, QStringLiteral("\nMAR 2004"));
    EXPECT_EQ(march.labelStep, 30);

    const ChartPeriod february = chart.monthPeriod(QStringLiteral("2004/02"));
    EXPECT_EQ(february.labels.size(), 29);
    EXPECT_EQ(february.chargedCount, 29);
    EXPECT_EQ(chart.monthPeriod(QStringLiteral("2003/02")).labels.size(), 28);
    EXPECT_EQ(chart.monthPeriod(QStringLiteral("2004/04")).chargedCount, 0);

    const ChartPeriod year = chart.yearPeriod(QStringLiteral("2004"));
    EXPECT_EQ(year.labels, ChartData::monthLabels());
    EXPECT_EQ(year.labels.front(), QStringLiteral("GEN"));
    EXPECT_EQ(year.labels.back(), QStringLiteral("DIC"));
    EXPECT_EQ(year.chargedCount, 3);
    EXPECT_EQ(year.foot, QStringLiteral("2004"));
    EXPECT_EQ(year.labelStep, 60);

    EXPECT_THROW(chart.monthPeriod(QStringLiteral("2004/13")), Error);
    EXPECT_THROW(chart.yearPeriod(QStringLiteral("duemila")), Error);
}

TEST_P(ChartDataTest, ListsComeFromPcSessionsNewestFirst) {
    ChartData chart = data();
    EXPECT_EQ(chart.monthList(),
              (QStringList{"2004/04", "2004/03", "2004/02", "2004/01", "2003/12"}));
    EXPECT_EQ(chart.yearList(), (QStringList{"2004", "2003"}));
}

INSTANTIATE_TEST_SUITE_P(Queries, ChartDataTest,
                         ::testing::Values(ChartQueries::PerPoint, ChartQueries::Grouped,
                                           ChartQueries::Fastest));

TEST(ChartMarkText, DigitsReadAsMinutes) {
    const struct {
        const char* rendered;
        const char* mark;
    } cases[] = {
        {"0", ""},          {"", ""},         {"5", "0.05"},      {"60", "1.00"},
        {"75", "1.15"},     {"600", "10.00"}, {"1.234", "20.34"}, {"1,234", "20.34"},
        {"1 234", "20.34"}, {"-0", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(chartMarkText(QString::fromUtf8(c.rendered)), QString::fromUtf8(c.mark))
            << c.rendered;
    }
}

}  // namespace
}  // namespace telmora
