#include <gtest/gtest.h>

#include <memory>

#include "ReportsFixture.h"
#include "uError.h"
#include "uPeriodTotals.h"

namespace telmora {
namespace {

DateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return encodeDateTime(y, mo, d, h, mi, s);
}

// One database holding every period of the table below.
class PeriodTotalsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        db_ = std::make_unique<test::ReportsDatabase>();
        test::ReportsDatabase& db = *db_;
        // 01/03/2004: pages but no call.
        for (int minute : {0, 5, 10}) db.addPage(at(2004, 3, 1, 10, minute));
        // 02/03/2004: two calls adding up to more than an hour.
        db.addCall(at(2004, 3, 2, 10), at(2004, 3, 2, 10, 40, 30), QStringLiteral("Alfa"));
        db.addCall(at(2004, 3, 2, 15), at(2004, 3, 2, 15, 30, 45), QStringLiteral("Beta"));
        // 03/03/2004: two equally long calls around a shorter one.
        db.addCall(at(2004, 3, 3, 8), at(2004, 3, 3, 8, 50), QStringLiteral("Primo"));
        db.addCall(at(2004, 3, 3, 12), at(2004, 3, 3, 12, 20), QStringLiteral("Breve"));
        db.addCall(at(2004, 3, 3, 20), at(2004, 3, 3, 20, 50), QStringLiteral("Secondo"));
        // 04/03/2004: one call from the midnight split on, pages, and PC sessions.
        db.addCall(at(2004, 3, 4), at(2004, 3, 4, 0, 20), QStringLiteral("Solo"));
        db.addPage(at(2004, 3, 4, 0, 5));
        db.addPage(at(2004, 3, 4, 0, 6));
        db.addPcSession(at(2004, 3, 4), at(2004, 3, 4, 8));
        db.addPcSession(at(2004, 3, 4, 20), at(2004, 3, 4, 23, 59, 59));
        // 06/03/2004: calls that lasted nothing.
        db.addCall(at(2004, 3, 6, 7), at(2004, 3, 6, 7), QStringLiteral("Zero1"));
        db.addCall(at(2004, 3, 6, 8), at(2004, 3, 6, 8), QStringLiteral("Zero2"));
        // April 2004: twenty-six calls of one hour, and a page.
        for (int day = 1; day <= 26; ++day) {
            db.addCall(at(2004, 4, day, 10), at(2004, 4, day, 11), QStringLiteral("Aprile"));
        }
        db.addPage(at(2004, 4, 1, 10, 30));
        // 10/01/2005: a call that ends at midnight.
        db.addCall(at(2005, 1, 10, 23, 40), at(2005, 1, 11), QStringLiteral("Gennaio"));
        // December 2003: a PC session only.
        db.addPcSession(at(2003, 12, 15, 10), at(2003, 12, 15, 10, 30));
        // 05/03/2004: two calls of 10.7 s each, which the program never writes itself.
        const DateTime tenSevenTenths = 10.7 / 86400.0;
        db.addRawCall(at(2004, 3, 5, 9), at(2004, 3, 5, 9) + tenSevenTenths, tenSevenTenths,
                      "Frazione");
        db.addRawCall(at(2004, 3, 5, 10), at(2004, 3, 5, 10) + tenSevenTenths, tenSevenTenths,
                      "Frazione2");
    }
    static void TearDownTestSuite() { db_.reset(); }

    static std::unique_ptr<test::ReportsDatabase> db_;
};

std::unique_ptr<test::ReportsDatabase> PeriodTotalsTest::db_;

struct Case {
    const char* what;
    Activity activity;
    PeriodKind kind;
    const char* value;
    const char* lbltot;
    const char* lblcalls;
    const char* lblmax;
    CallsTag tag;        // the calls label is a link exactly when it has a tag
    const char* lblurl;  // a link exactly when not empty
};

constexpr auto I = Activity::Internet;
constexpr auto P = Activity::Pc;
constexpr auto D = PeriodKind::Day;
constexpr auto M = PeriodKind::Month;
constexpr auto Y = PeriodKind::Year;

const Case kCases[] = {
    {"empty day", I, D, "07/03/2004", "Totale:  0 h 0 m 0 s", "Chiamate:  0", "", CallsTag::None,
     ""},
    {"pages of a day without calls", I, D, "01/03/2004", "Totale:  0 h 0 m 0 s", "Chiamate:  0", "",
     CallsTag::None, "Pagine web visitate:  3"},
    {"two calls", I, D, "02/03/2004", "Totale:  1 h 11 m 15 s", "Chiamate:  2",
     "Più lunga:  Alfa\r\n02/03/2004 10.00.00\r\n02/03/2004 10.40.30\r\n00.40.30", CallsTag::Day,
     ""},
    {"first of equally long calls", I, D, "03/03/2004", "Totale:  2 h 0 m 0 s", "Chiamate:  3",
     "Più lunga:  Primo\r\n03/03/2004 08.00.00\r\n03/03/2004 08.50.00\r\n00.50.00", CallsTag::Day,
     ""},
    {"one call from midnight, with pages", I, D, " 04/03/2004 ", "Totale:  0 h 20 m 0 s",
     "Chiamate:  1", "Solo\r\n04/03/2004\r\n04/03/2004 00.20.00\r\n00.20.00", CallsTag::None,
     "Pagine web visitate:  2"},
    {"whole seconds only", I, D, "05/03/2004", "Totale:  0 h 0 m 20 s", "Chiamate:  2",
     "Più lunga:  Frazione\r\n05/03/2004 09.00.00\r\n05/03/2004 09.00.10\r\n00.00.10",
     CallsTag::Day, ""},
    {"calls of no duration show the first", I, D, "06/03/2004", "Totale:  0 h 0 m 0 s",
     "Chiamate:  2", "Più lunga:  Zero1\r\n06/03/2004 07.00.00\r\n06/03/2004 07.00.00\r\n00.00.00",
     CallsTag::Day, ""},
    {"call ending at midnight", I, D, "10/01/2005", "Totale:  0 h 20 m 0 s", "Chiamate:  1",
     "Gennaio\r\n10/01/2005 23.40.00\r\n11/01/2005\r\n00.20.00", CallsTag::None, ""},
    {"one call with a page", I, D, "01/04/2004", "Totale:  1 h 0 m 0 s", "Chiamate:  1",
     "Aprile\r\n01/04/2004 10.00.00\r\n01/04/2004 11.00.00\r\n01.00.00", CallsTag::None,
     "Pagine web visitate:  1"},
    {"hours beyond a day", I, M, "2004/04", "Totale:  26 h 0 m 0 s", "Chiamate:  26",
     "Più lunga:  Aprile\r\n01/04/2004 10.00.00\r\n01/04/2004 11.00.00\r\n01.00.00",
     CallsTag::Month, ""},
    {"month", I, M, "2004/03", "Totale:  3 h 31 m 35 s", "Chiamate:  10",
     "Più lunga:  Primo\r\n03/03/2004 08.00.00\r\n03/03/2004 08.50.00\r\n00.50.00", CallsTag::Month,
     ""},
    {"year", I, Y, "2004", "Totale:  29 h 31 m 35 s", "Chiamate:  36",
     "Più lunga:  Aprile\r\n01/04/2004 10.00.00\r\n01/04/2004 11.00.00\r\n01.00.00", CallsTag::Year,
     ""},
    {"empty year", I, Y, "2003", "Totale:  0 h 0 m 0 s", "Chiamate:  0", "", CallsTag::None, ""},
    {"PC day", P, D, "04/03/2004", "Totale:  11 h 59 m 59 s", "Sessioni:  2",
     "Sessione più lunga:\r\n04/03/2004\r\n04/03/2004 08.00.00\r\n08.00.00", CallsTag::None, ""},
    {"PC empty day with pages", P, D, "01/03/2004", "Totale:  0 h 0 m 0 s", "Sessioni:  0", "",
     CallsTag::None, ""},
    {"PC month", P, M, "2003/12", "Totale:  0 h 30 m 0 s", "Sessioni:  1",
     "Sessione più lunga:\r\n15/12/2003 10.00.00\r\n15/12/2003 10.30.00\r\n00.30.00",
     CallsTag::None, ""},
    {"PC year", P, Y, "2004", "Totale:  11 h 59 m 59 s", "Sessioni:  2",
     "Sessione più lunga:\r\n04/03/2004\r\n04/03/2004 08.00.00\r\n08.00.00", CallsTag::None, ""},
};

TEST_F(PeriodTotalsTest, LabelsOfEveryPeriod) {
    PeriodTotals totals(db_->module());
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        const PeriodReport r = totals.compute(c.activity, c.kind, QString::fromUtf8(c.value));
        EXPECT_EQ(r.lbltot, QString::fromUtf8(c.lbltot));
        EXPECT_EQ(r.lblcalls, QString::fromUtf8(c.lblcalls));
        EXPECT_EQ(r.lblmax, QString::fromUtf8(c.lblmax));
        EXPECT_EQ(r.lblurl, QString::fromUtf8(c.lblurl));
        EXPECT_EQ(r.callsTag, c.tag);
        const bool callsLink = c.tag != CallsTag::None;
        EXPECT_EQ(r.callsLink.active, callsLink);
        EXPECT_EQ(r.callsLink.hint, callsLink ? QStringLiteral("Dettaglio chiamate") : QString());
        const bool urlLink = *c.lblurl != '\0';
        EXPECT_EQ(r.urlLink.active, urlLink);
        EXPECT_EQ(r.urlLink.hint,
                  urlLink ? QStringLiteral("Visualizza url del giorno") : QString());
    }
}

TEST_F(PeriodTotalsTest, ListsNewestFirstPerActivity) {
    PeriodTotals totals(db_->module());
    EXPECT_EQ(totals.monthList(I), QStringList({"2005/01", "2004/04", "2004/03"}));
    EXPECT_EQ(totals.yearList(I), QStringList({"2005", "2004"}));
    EXPECT_EQ(totals.monthList(P), QStringList({"2004/03", "2003/12"}));
    EXPECT_EQ(totals.yearList(P), QStringList({"2004", "2003"}));
}

TEST_F(PeriodTotalsTest, MalformedPeriodIsAnError) {
    PeriodTotals totals(db_->module());
    const struct {
        PeriodKind kind;
        const char* value;
        const char* message;
    } bad[] = {
        {D, "31/02/2004", "Data non valida"}, {D, "2004/03/01", "Data non valida"},
        {D, "", "Data non valida"},           {M, "2004/13", "Mese non valido"},
        {M, "03/2004", "Mese non valido"},    {Y, "04", "Anno non valido"},
        {Y, "2004/03", "Anno non valido"},
    };
    for (const auto& b : bad) {
        SCOPED_TRACE(b.value);
        try {
            totals.compute(I, b.kind, QString::fromUtf8(b.value));
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_TRUE(e.message().startsWith(QString::fromUtf8(b.message))) << e.what();
        }
    }
}

TEST(PeriodTotalsFailure, MissingDatabaseIsAnError) {
    QTemporaryDir dir;
    TDataModule1 module(dir.filePath(QStringLiteral("telmora.mdb")));
    PeriodTotals totals(module);
    EXPECT_THROW(totals.compute(Activity::Pc, PeriodKind::Year, QStringLiteral("2004")), Error);
    EXPECT_THROW(totals.monthList(Activity::Internet), Error);
}

TEST(PeriodTotalsLists, EmptyTablesGiveEmptyLists) {
    test::ReportsDatabase db;
    PeriodTotals totals(db.module());
    EXPECT_TRUE(totals.monthList(Activity::Internet).isEmpty());
    EXPECT_TRUE(totals.yearList(Activity::Pc).isEmpty());
}

// A start stored a hair before midnight of a new month or year (no whole millisecond) must not
// keep the list going round.
TEST(PeriodTotalsLists, StartJustBeforeAMonthEnds) {
    test::ReportsDatabase db;
    db.addRawCall(encodeDate(2004, 1, 1) - 1e-10, encodeDate(2004, 1, 1), 1e-10, "Bordo");
    PeriodTotals totals(db.module());
    EXPECT_EQ(totals.monthList(Activity::Internet), QStringList({"2003/12"}));
    EXPECT_EQ(totals.yearList(Activity::Internet), QStringList({"2003"}));
}

}  // namespace
}  // namespace telmora
