// Which answers are stored, and the history held at its row cap.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "DbReader.h"
#include "uDataModule.h"
#include "uUrlHistory.h"

namespace telmora {
namespace {

TEST(UrlHistory, StoringRules) {
    const QString a = QStringLiteral("\"http://a.example/\",\"A\"");
    const QString b = QStringLiteral("\"https://b.example/\",\"B\"");
    const QString at255 = QStringLiteral("\"http://x/") + QString(255 - 10, QLatin1Char('x'));
    ASSERT_EQ(at255.size(), 255);
    struct Case {
        QString answer, last;
        bool stored;
    } cases[] = {
        {a, QString(), true},    // first page
        {a, a, false},           // the same page twice
        {b, a, true},            // A then B
        {a, b, true},            // then A again
        {a.toUpper(), a, true},  // differs only in letter case: a different answer
        {QStringLiteral("\"HTTP://A.EXAMPLE/\",\"A\""), QString(), true},  // scheme in capitals
        {at255, QString(), true},
        {at255 + QLatin1Char('x'), QString(), false},  // 256 characters
        {QStringLiteral("\"ftp://a.example/\",\"A\""), QString(), false},
        {QStringLiteral("http://a.example/"), QString(), false},  // no leading quote
        {QStringLiteral("\"http"), QString(), true},
        {QStringLiteral("\"htt"), QString(), false},
        {QString(), QString(), false},  // empty answer, empty last
        {QString(), a, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsStorableAnswer(c.answer, c.last), c.stored) << c.answer.toStdString();
    }
}

class UrlHistoryDb : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.filePath(QStringLiteral("telmora.mdb"));
        TDataModule1::createDatabase(path);
        data = std::make_unique<TDataModule1>(path);
    }
    // count rows at 100.0 + i/1000 (i = 0 ..), the first `sameTime` of them all at 100.0.
    void fill(int count, int sameTime) {
        test::readRows(path,
                       QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i+1 "
                                      "FROM n WHERE i < %1) INSERT INTO URL (DATA, URL) "
                                      "SELECT CASE WHEN i < %2 THEN 100.0 ELSE 100.0 + i/1000.0 "
                                      "END, '\"http://x/' || i || '\"' FROM n")
                           .arg(count - 1)
                           .arg(sameTime));
    }
    qint64 count() {
        return test::readRows(path, QStringLiteral("SELECT COUNT(*) FROM URL"))[0][0].toLongLong();
    }
    void store(const QString& answer, DateTime when) {
        bool inserted = false;
        StoreCapturedUrl(data->adoqueryurl, answer, when, UrlHistoryLimit, inserted);
        EXPECT_TRUE(inserted);
    }

    QTemporaryDir dir;
    QString path;
    std::unique_ptr<TDataModule1> data;
};

TEST_F(UrlHistoryDb, HeldAtTheCapWithTheOldestCaptureGone) {
    fill(UrlHistoryLimit, 1);
    store(QStringLiteral("\"http://new/\""), 200.0);
    EXPECT_EQ(count(), UrlHistoryLimit);
    EXPECT_TRUE(
        test::readRows(path, QStringLiteral("SELECT * FROM URL WHERE DATA = 100.0")).empty());
    EXPECT_EQ(test::readRows(path, QStringLiteral("SELECT URL FROM URL WHERE DATA = 200.0"))[0][0],
              QStringLiteral("\"http://new/\""));
}

TEST_F(UrlHistoryDb, TwoOldestRowsOfOneTimeGoTogether) {
    fill(UrlHistoryLimit, 2);
    store(QStringLiteral("\"http://new/\""), 200.0);
    EXPECT_EQ(count(), UrlHistoryLimit - 1);  // 5001 rows, both of the oldest time deleted
    EXPECT_EQ(
        test::readRows(path, QStringLiteral("SELECT COUNT(*) FROM URL WHERE DATA = 100.002"))[0][0]
            .toInt(),
        1);  // the next oldest stays
    store(QStringLiteral("\"http://newer/\""), 201.0);
    EXPECT_EQ(count(), UrlHistoryLimit);  // at the cap, not above it: nothing deleted
}

TEST_F(UrlHistoryDb, BelowTheCapNothingIsDeleted) {
    fill(10, 1);
    store(QStringLiteral("\"http://new/\""), 200.0);
    EXPECT_EQ(count(), 11);
}

}  // namespace
}  // namespace telmora
