// Every statement of the catalogue on one small database written through the program's own
// inserts, with the rows placed on the day, month and year boundaries the filters must respect.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>
#include <set>

#include "StoreTestSupport.h"
#include "uDataModule.h"
#include "uError.h"

namespace telmora {
namespace {

using test::RawDb;
using Params = std::vector<std::pair<QString, QVariant>>;

DateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return encodeDateTime(y, mo, d, h, mi, s);
}

void bind(Query& q, const Params& params) {
    for (const auto& [name, value] : params) {
        if (value.typeId() == QMetaType::Double) {
            q.setDateTime(name, value.toDouble());
        } else if (value.typeId() == QMetaType::LongLong) {
            q.setInteger(name, value.toLongLong());
        } else {
            q.setText(name, value.toString());
        }
    }
}

void run(Query& q, Stmt stmt, const Params& params) {
    q.setStatement(stmt);
    bind(q, params);
    q.execute();
}

QVariant integer(qint64 n) {
    return QVariant::fromValue(n);
}

struct Session {
    DateTime start;
    DateTime stop;
    const char* name;  // ETIME only
};

struct Page {
    DateTime when;
    const char* url;
};

// PC sessions, Internet sessions and pages that sit on the edges of days, months and years.
const Session kPc[] = {
    {at(2004, 3, 5, 20), at(2004, 3, 5, 23, 59, 59), nullptr},      // 03.59.59
    {at(2004, 3, 6), at(2004, 3, 6, 1), nullptr},                   // 01.00.00
    {at(2004, 3, 31, 23), at(2004, 3, 31, 23, 59, 59), nullptr},    // 00.59.59
    {at(2004, 4, 1), at(2004, 4, 1, 0, 30), nullptr},               // 00.30.00
    {at(2004, 5, 1, 8), at(2004, 5, 1, 9), nullptr},                // 01.00.00
    {at(2004, 12, 31, 22), at(2004, 12, 31, 23, 59, 59), nullptr},  // 01.59.59
    {at(2005, 1, 1), at(2005, 1, 2, 12), nullptr},                  // over a day: 23.59.59
    {at(2005, 1, 15, 10), at(2005, 1, 15, 10, 20), nullptr},        // 00.20.00
};
const Session kNet[] = {
    {at(2004, 1, 1), at(2004, 1, 1, 0, 5), "Primo"},                    // 00.05.00
    {at(2004, 3, 5, 18, 7, 31), at(2004, 3, 5, 19), "Primo"},           // 00.52.29
    {at(2004, 3, 31, 23, 30), at(2004, 3, 31, 23, 59, 59), "Secondo"},  // 00.29.59
    {at(2004, 4, 1), at(2004, 4, 1, 0, 10), "Secondo"},                 // 00.10.00
    {at(2004, 4, 30, 12), at(2004, 4, 30, 13), "Primo"},                // 01.00.00
    {at(2004, 5, 1, 9), at(2004, 5, 1, 9, 5), "Primo"},                 // 00.05.00
    {at(2005, 1, 20, 8), at(2005, 1, 20, 9), "Primo"},                  // 01.00.00
};
const Page kPages[] = {
    {at(2004, 3, 4, 23, 59, 59), "z"}, {at(2004, 3, 5, 18, 10), "a"},
    {at(2004, 3, 5, 18, 30), "b"},     {at(2004, 3, 5, 19), "c"},
    {at(2004, 3, 5, 19, 0, 1), "d"},   {at(2004, 3, 6), "e"},
};

void fillFixture(TDataModule1& db) {
    for (const Session& s : kPc) {
        run(db.adoqueryconnessione, Stmt::S1,
            {{"pcstart", s.start}, {"pcstop", s.stop}, {"pcdelta", durationText(s.start, s.stop)}});
    }
    for (const Session& s : kNet) {
        run(db.adoqueryconnessione, Stmt::S2,
            {{"tstart", s.start},
             {"tstop", s.stop},
             {"diff", durationText(s.start, s.stop)},
             {"conn", QString::fromUtf8(s.name)}});
    }
    for (const Page& p : kPages) {
        run(db.adoqueryurl, Stmt::S21, {{"data", p.when}, {"url", QString::fromUtf8(p.url)}});
    }
}

class Catalogue : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<QTemporaryDir>();
        path_ = dir_->filePath(QStringLiteral("telmora.mdb"));
        TDataModule1::createDatabase(path_);
        db_ = std::make_unique<TDataModule1>(path_);
        fillFixture(*db_);
    }
    static void TearDownTestSuite() {
        db_.reset();
        dir_.reset();
    }

    static std::unique_ptr<QTemporaryDir> dir_;
    static QString path_;
    static std::unique_ptr<TDataModule1> db_;
};
std::unique_ptr<QTemporaryDir> Catalogue::dir_;
QString Catalogue::path_;
std::unique_ptr<TDataModule1> Catalogue::db_;

enum class Kind { DateTimeColumn, DurationColumn, TextColumn };

TEST_F(Catalogue, EveryQueryFindsTheRowsOfItsPeriod) {
    struct Case {
        Stmt stmt;
        Params params;
        const char* column;
        Kind kind;
        QStringList expected;
        bool ordered;  // the statement promises an order; otherwise compared as sets
    };
    const Kind DT = Kind::DateTimeColumn, DUR = Kind::DurationColumn, TXT = Kind::TextColumn;
    const Case cases[] = {
        {Stmt::S3, {{"data", "05/03/2004"}}, "TSTART", DT, {"05/03/2004 18.07.31"}, false},
        {Stmt::S3, {{"data", "31/03/2004"}}, "TSTART", DT, {"31/03/2004 23.30.00"}, false},
        {Stmt::S3, {{"data", "02/04/2004"}}, "TSTART", DT, {}, false},
        {Stmt::S3, {{"data", "05/03/2004"}}, "CONN_NAME", TXT, {"Primo"}, false},
        {Stmt::S4,
         {{"anno", "2004"}},
         "TSTART",
         DT,
         {"01/01/2004 00.00.00", "05/03/2004 18.07.31", "31/03/2004 23.30.00",
          "01/04/2004 00.00.00", "30/04/2004 12.00.00", "01/05/2004 09.00.00"},
         false},
        {Stmt::S4, {{"anno", "2003"}}, "TSTART", DT, {}, false},
        {Stmt::S5,
         {{"mese", "2004/03"}},
         "TSTART",
         DT,
         {"05/03/2004 18.07.31", "31/03/2004 23.30.00"},
         false},
        {Stmt::S5, {{"mese", "2004/04"}}, "TCONNECTION", DUR, {"00.10.00", "01.00.00"}, false},
        {Stmt::S6, {{"data", "05/03/2004"}}, "PCSTART", DT, {"05/03/2004 20.00.00"}, false},
        {Stmt::S6, {{"data", "05/03/2004"}}, "PCSTOP", DT, {"05/03/2004 23.59.59"}, false},
        {Stmt::S6, {{"data", "05/03/2004"}}, "TPC", DUR, {"03.59.59"}, false},
        {Stmt::S7,
         {{"anno", "2004"}},
         "PCSTART",
         DT,
         {"05/03/2004 20.00.00", "06/03/2004 00.00.00", "31/03/2004 23.00.00",
          "01/04/2004 00.00.00", "01/05/2004 08.00.00", "31/12/2004 22.00.00"},
         false},
        {Stmt::S7, {{"anno", "2005"}}, "TPC", DUR, {"23.59.59", "00.20.00"}, false},
        {Stmt::S8,
         {{"mese", "2004/03"}},
         "PCSTART",
         DT,
         {"05/03/2004 20.00.00", "06/03/2004 00.00.00", "31/03/2004 23.00.00"},
         false},
        {Stmt::S8, {{"mese", "2004/02"}}, "PCSTART", DT, {}, false},
        {Stmt::S9, {{"data", "05/03/2004"}}, "NURL", TXT, {"4"}, false},
        {Stmt::S9, {{"data", "01/01/2004"}}, "NURL", TXT, {"0"}, false},
        {Stmt::S10, {}, "MESE", TXT, {"2005/01", "2004/05", "2004/04", "2004/03", "2004/01"}, true},
        {Stmt::S11, {}, "MESE", TXT, {"2005/01", "2004/12", "2004/05", "2004/04", "2004/03"}, true},
        {Stmt::S12, {}, "ANNO", TXT, {"2005", "2004"}, true},
        {Stmt::S13, {}, "ANNO", TXT, {"2005", "2004"}, true},
        {Stmt::S14, {{"data", "31/03/2004"}}, "TSTART", DT, {"31/03/2004 23.30.00"}, true},
        {Stmt::S15,
         {{"mese", "2004/04"}},
         "TSTART",
         DT,
         {"01/04/2004 00.00.00", "30/04/2004 12.00.00"},
         true},
        {Stmt::S16,
         {{"anno", "2004"}},
         "TSTART",
         DT,
         {"01/01/2004 00.00.00", "05/03/2004 18.07.31", "31/03/2004 23.30.00",
          "01/04/2004 00.00.00", "30/04/2004 12.00.00", "01/05/2004 09.00.00"},
         true},
        {Stmt::S17,
         {{"tstart", at(2004, 3, 5, 18, 7, 31)}, {"tstop", at(2004, 3, 5, 19)}},
         "URL",
         TXT,
         {"a", "b", "c"},
         true},
        {Stmt::S18, {}, "URL", TXT, {"e", "d", "c", "b", "a", "z"}, true},
        {Stmt::S18,
         {},
         "DATA",
         DT,
         {"06/03/2004 00.00.00", "05/03/2004 19.00.01", "05/03/2004 19.00.00",
          "05/03/2004 18.30.00", "05/03/2004 18.10.00", "04/03/2004 23.59.59"},
         true},
        {Stmt::S19, {{"data", "05/03/2004"}}, "URL", TXT, {"a", "b", "c", "d"}, true},
        {Stmt::S22, {}, "RECNO", TXT, {"6"}, false},
        {Stmt::S24,
         {{"giorno", integer(5)}, {"mese", "2004/03"}},
         "TEMPO",
         DUR,
         {"03.59.59"},
         false},
        {Stmt::S24,
         {{"giorno", integer(31)}, {"mese", "2004/03"}},
         "TEMPO",
         DUR,
         {"00.59.59"},
         false},
        {Stmt::S24,
         {{"giorno", integer(1)}, {"mese", "2005/01"}},
         "TEMPO",
         DUR,
         {"23.59.59"},
         false},
        // Day 31 of April and day 0 must not spill into the neighbouring months.
        {Stmt::S24, {{"giorno", integer(31)}, {"mese", "2004/04"}}, "TEMPO", DUR, {}, false},
        {Stmt::S24, {{"giorno", integer(0)}, {"mese", "2004/04"}}, "TEMPO", DUR, {}, false},
        {Stmt::S25,
         {{"giorno", integer(31)}, {"mese", "2004/03"}},
         "TEMPO",
         DUR,
         {"00.29.59"},
         false},
        {Stmt::S25,
         {{"giorno", integer(30)}, {"mese", "2004/04"}},
         "TEMPO",
         DUR,
         {"01.00.00"},
         false},
        {Stmt::S25, {{"giorno", integer(31)}, {"mese", "2004/04"}}, "TEMPO", DUR, {}, false},
        {Stmt::S26,
         {{"mese", integer(3)}, {"anno", "2004"}},
         "TEMPO",
         DUR,
         {"03.59.59", "01.00.00", "00.59.59"},
         false},
        {Stmt::S26,
         {{"mese", integer(1)}, {"anno", "2005"}},
         "TEMPO",
         DUR,
         {"23.59.59", "00.20.00"},
         false},
        {Stmt::S26, {{"mese", integer(13)}, {"anno", "2004"}}, "TEMPO", DUR, {}, false},
        {Stmt::S26, {{"mese", integer(0)}, {"anno", "2005"}}, "TEMPO", DUR, {}, false},
        {Stmt::S27,
         {{"mese", integer(4)}, {"anno", "2004"}},
         "TEMPO",
         DUR,
         {"00.10.00", "01.00.00"},
         false},
        {Stmt::S27, {{"mese", integer(12)}, {"anno", "2004"}}, "TEMPO", DUR, {}, false},
    };
    Query& q = db_->adoquery;
    for (const Case& c : cases) {
        const QString what = QStringLiteral("S%1 %2").arg(statementNumber(c.stmt)).arg(c.column);
        q.setStatement(c.stmt);
        bind(q, c.params);
        ASSERT_NO_THROW(q.open()) << what.toStdString();
        QStringList got;
        for (const Row& row : q.rows()) {
            const QString column = QString::fromLatin1(c.column);
            switch (c.kind) {
                case Kind::DateTimeColumn:
                    got << displayText(row.dateTime(column));
                    break;
                case Kind::DurationColumn:
                    got << timeText(row.dateTime(column));
                    break;
                case Kind::TextColumn:
                    got << row.text(column);
                    break;
            }
        }
        QStringList expected = c.expected;
        if (!c.ordered) {
            got.sort();
            expected.sort();
        }
        EXPECT_EQ(got, expected) << what.toStdString();
        q.close();
    }
}

TEST_F(Catalogue, ADurationOfADayOrMoreReadsBackAsTheLastSecondOfTheDay) {
    Query& q = db_->adoquery;
    q.setStatement(Stmt::S6);
    q.setText(QStringLiteral("data"), QStringLiteral("01/01/2005"));
    q.open();
    ASSERT_EQ(q.recordCount(), 1);
    const TimeOfDay t = decodeTime(q.rows()[0].dateTime(QStringLiteral("TPC")));
    EXPECT_EQ(t.hour, 23);
    EXPECT_EQ(t.minute, 59);
    EXPECT_EQ(t.second, 59);
}

TEST_F(Catalogue, MalformedParametersFailWithAClearMessageAndWriteNothing) {
    struct Case {
        Stmt stmt;
        Params params;
        const char* message;
    };
    const Case cases[] = {
        {Stmt::S3, {{"data", "2004-03-05"}}, "Data non valida: \"2004-03-05\""},
        {Stmt::S6, {{"data", "31/04/2004"}}, "Data non valida: \"31/04/2004\""},
        {Stmt::S9, {}, "Data non valida: \"\""},  // a parameter never set
        {Stmt::S5, {{"mese", "03/2004"}}, "Mese non valido: \"03/2004\""},
        {Stmt::S8, {{"mese", "2004/13"}}, "Mese non valido: \"2004/13\""},
        {Stmt::S24, {{"giorno", integer(5)}, {"mese", ""}}, "Mese non valido: \"\""},
        {Stmt::S7, {{"anno", "04"}}, "Anno non valido: \"04\""},
        {Stmt::S27, {{"mese", integer(3)}, {"anno", "duemila"}}, "Anno non valido: \"duemila\""},
        {Stmt::S1,
         {{"pcstart", at(2004, 3, 7)}, {"pcstop", at(2004, 3, 8)}, {"pcdelta", "24.00.00"}},
         "Durata non valida: \"24.00.00\""},
        {Stmt::S2,
         {{"tstart", at(2004, 3, 7)},
          {"tstop", at(2004, 3, 7, 1)},
          {"diff", "1:00:00"},
          {"conn", "Primo"}},
         "Durata non valida: \"1:00:00\""},
        {Stmt::S3, {{"giorno", "05/03/2004"}}, "Parametro sconosciuto :giorno per l'istruzione S3"},
    };
    for (const Case& c : cases) {
        Query& q = db_->adoquery;
        q.setStatement(c.stmt);
        bind(q, c.params);
        try {
            q.open();
            ADD_FAILURE() << "S" << statementNumber(c.stmt) << " accepted " << c.message;
        } catch (const Error& e) {
            EXPECT_EQ(e.source(), QStringLiteral("TDataModule1"));
            EXPECT_TRUE(e.message().startsWith(QString::fromUtf8(c.message)))
                << e.message().toStdString();
        }
    }
    RawDb raw(path_);
    EXPECT_EQ(raw.column(QStringLiteral("SELECT COUNT(*) FROM PCTIME")),
              QStringList{QString::number(std::size(kPc))});
    EXPECT_EQ(raw.column(QStringLiteral("SELECT COUNT(*) FROM ETIME")),
              QStringList{QString::number(std::size(kNet))});
}

// Every filter must be served by the date-time index, so reports stay quick on years of rows:
// the plan shows no scan of a table, and running the statement on a few thousand rows takes no
// step of a full scan.
TEST(IndexUse, EveryFilterIsAnIndexSearch) {
    // S18 lists every page (in index order), S20 empties the table and S22 counts every row:
    // they read the whole table by their nature.
    const std::set<Stmt> wholeTable = {Stmt::S18, Stmt::S20, Stmt::S22};
    // The month and year lists find the newest row by walking the index backwards under
    // LIMIT 1, which the plan calls a scan; the steps counted below show it reads one entry.
    // They also sort their few result rows, never the table.
    const std::set<Stmt> lists = {Stmt::S10, Stmt::S11, Stmt::S12, Stmt::S13};
    static const QRegularExpression scan(QStringLiteral("SCAN TABLE (ETIME|PCTIME|URL)\\b"));
    static const QRegularExpression indexProbe(
        QStringLiteral("SCAN TABLE (ETIME|PCTIME|URL) USING COVERING INDEX"));
    static const QRegularExpression search(
        QStringLiteral("SEARCH TABLE (ETIME|PCTIME|URL) USING (COVERING )?INDEX"));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("telmora.mdb"));
    TDataModule1::createDatabase(path);
    RawDb raw(path);
    constexpr int kRows = 3000;  // one every eight hours from 2003 on
    raw.exec(QStringLiteral("BEGIN"));
    for (int i = 0; i < kRows; ++i) {
        const QString t = QString::number(encodeDate(2003, 1, 1) + i / 3.0, 'g', 17);
        raw.exec(QStringLiteral("INSERT INTO PCTIME VALUES (%1, %1, 0)").arg(t));
        raw.exec(QStringLiteral("INSERT INTO ETIME VALUES (%1, %1, 0, 'x')").arg(t));
        raw.exec(QStringLiteral("INSERT INTO URL VALUES (%1, 'u')").arg(t));
    }
    raw.exec(QStringLiteral("COMMIT"));

    for (int n = 1; n <= kStatementCount; ++n) {
        const auto stmt = static_cast<Stmt>(n);
        const QString sql = QString::fromUtf8(statementSql(stmt));
        if (sql.startsWith(QStringLiteral("INSERT"))) continue;

        QStringList details;
        sqlite3_stmt* s = nullptr;
        ASSERT_EQ(
            sqlite3_prepare_v2(raw.handle(), ("EXPLAIN QUERY PLAN " + sql).toUtf8().constData(), -1,
                               &s, nullptr),
            SQLITE_OK)
            << "S" << n << ": " << sqlite3_errmsg(raw.handle());
        while (sqlite3_step(s) == SQLITE_ROW) {
            details << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 3)));
        }
        sqlite3_finalize(s);
        const QString plan = details.join(QStringLiteral(" | "));
        const std::string where = "S" + std::to_string(n) + ": " + plan.toStdString();
        if (!wholeTable.count(stmt)) {
            QString rest = plan;
            if (lists.count(stmt)) rest.remove(indexProbe);
            EXPECT_FALSE(rest.contains(scan)) << where;
            EXPECT_TRUE(plan.contains(search)) << where;
        }
        if (!lists.count(stmt)) {
            EXPECT_FALSE(plan.contains(QStringLiteral("TEMP B-TREE"))) << where;
        }

        // Run it on March 2004 and count the steps of full scans.
        ASSERT_EQ(sqlite3_prepare_v2(raw.handle(), sql.toUtf8().constData(), -1, &s, nullptr),
                  SQLITE_OK);
        const bool monthNumber = sql.contains(QStringLiteral("tm_ym_"));
        for (int p = 1; p <= sqlite3_bind_parameter_count(s); ++p) {
            const QString name = QString::fromUtf8(sqlite3_bind_parameter_name(s, p));
            const auto text = [&](const char* v) { sqlite3_bind_text(s, p, v, -1, SQLITE_STATIC); };
            if (name == ":data") text("05/03/2004");
            if (name == ":mese" && !monthNumber) text("2004/03");
            if (name == ":mese" && monthNumber) sqlite3_bind_int(s, p, 3);
            if (name == ":anno") text("2004");
            if (name == ":giorno") sqlite3_bind_int(s, p, 5);
            if (name == ":tstart") sqlite3_bind_double(s, p, at(2004, 3, 5));
            if (name == ":tstop") sqlite3_bind_double(s, p, at(2004, 3, 6));
        }
        int rc;
        while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
        }
        EXPECT_EQ(rc, SQLITE_DONE) << where << ": " << sqlite3_errmsg(raw.handle());
        const int scanSteps = sqlite3_stmt_status(s, SQLITE_STMTSTATUS_FULLSCAN_STEP, 0);
        sqlite3_finalize(s);
        if (!wholeTable.count(stmt)) {
            EXPECT_LE(scanSteps, 2) << where;
        }
    }
}

}  // namespace
}  // namespace telmora

namespace telmora {
namespace {

QString freshDatabase(const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("telmora.mdb"));
    TDataModule1::createDatabase(path);
    return path;
}

qint64 urlCount(TDataModule1& db) {
    db.adoqueryurl.setStatement(Stmt::S22);
    db.adoqueryurl.open();
    return db.adoqueryurl.rows().at(0).integer(QStringLiteral("RECNO"));
}

TEST(UrlHistory, ACaptureBeyond5000DropsTheOldestAndClearingEmptiesIt) {
    struct Case {
        const char* what;
        int sharingOldest;  // rows holding the oldest date-time
        qint64 left;
    };
    const Case cases[] = {{"one oldest row", 1, 5000}, {"two rows share the oldest", 2, 4999}};
    const DateTime oldest = at(2004, 3, 1);
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const QString path = freshDatabase(dir);
        {
            RawDb raw(path);
            raw.exec(QStringLiteral("BEGIN"));
            for (int i = 0; i < 5000; ++i) {
                const double when = i < c.sharingOldest ? oldest : oldest + i / 86400.0;
                raw.exec(QStringLiteral("INSERT INTO URL (DATA, URL) VALUES (%1, 'p%2')")
                             .arg(when, 0, 'g', 17)
                             .arg(i));
            }
            raw.exec(QStringLiteral("COMMIT"));
        }
        TDataModule1 db(path);
        run(db.adoqueryurl, Stmt::S21, {{"data", at(2004, 3, 6)}, {"url", "nuova"}});
        if (urlCount(db) > 5000) run(db.adoqueryurl, Stmt::S23, {});
        EXPECT_EQ(urlCount(db), c.left) << c.what;
        db.closeConnection();
        RawDb raw(path);
        EXPECT_EQ(
            raw.column(
                QStringLiteral("SELECT COUNT(*) FROM URL WHERE DATA = %1").arg(oldest, 0, 'g', 17)),
            QStringList{QStringLiteral("0")})
            << c.what;
        EXPECT_EQ(raw.column(QStringLiteral("SELECT URL FROM URL ORDER BY DATA DESC LIMIT 1")),
                  QStringList{QStringLiteral("nuova")})
            << c.what;

        run(db.adoquery, Stmt::S20, {});
        EXPECT_EQ(urlCount(db), 0) << c.what;
    }
}

// A row stored a fraction of a millisecond before midnight reads as the next day, but the
// filters place it by its stored value: the month and year lists must agree with the filters
// (and must end).
TEST(PeriodLists, ARowJustBeforeMidnightStaysInItsOwnMonthAndYear) {
    QTemporaryDir dir;
    const QString path = freshDatabase(dir);
    const double justBefore = 1e-9;
    {
        RawDb raw(path);
        raw.exec(QStringLiteral("INSERT INTO PCTIME VALUES (%1, %1, 0)")
                     .arg(encodeDate(2004, 4, 1) - justBefore, 0, 'g', 17));
        raw.exec(QStringLiteral("INSERT INTO ETIME VALUES (%1, %1, 0, 'x')")
                     .arg(encodeDate(2005, 1, 1) - justBefore, 0, 'g', 17));
    }
    TDataModule1 db(path);
    const auto texts = [&](Stmt stmt, const char* column, const Params& params = {}) {
        db.adoquery.setStatement(stmt);
        bind(db.adoquery, params);
        db.adoquery.open();
        QStringList out;
        for (const Row& row : db.adoquery.rows()) out << row.text(QString::fromLatin1(column));
        return out;
    };
    EXPECT_EQ(texts(Stmt::S11, "MESE"), QStringList{"2004/03"});
    EXPECT_EQ(texts(Stmt::S13, "ANNO"), QStringList{"2004"});
    EXPECT_EQ(texts(Stmt::S10, "MESE"), QStringList{"2004/12"});
    EXPECT_EQ(texts(Stmt::S12, "ANNO"), QStringList{"2004"});
    EXPECT_EQ(texts(Stmt::S8, "PCSTOP", {{"mese", "2004/03"}}).size(), 1);
    EXPECT_EQ(texts(Stmt::S16, "TSTART", {{"anno", "2004"}}).size(), 1);
}

}  // namespace
}  // namespace telmora
