#pragma once
// A database of calls and captured pages, the boxes answered in advance, the error handler and
// an opener that records what it is handed.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <optional>

#include "IClock.h"
#include "IShellOpen.h"
#include "QtPrinters.h"
#include "ScriptedMessages.h"
#include "StoreRows.h"
#include "uDataModule.h"
#include "uReportError.h"

namespace telmora::test {

class FixedClock final : public IClock {
public:
    DateTime now() const override { return encodeDateTime(2004, 3, 7, 12, 0, 0); }
};

class RecordingShell final : public IShellOpen {
public:
    QStringList opened;
    std::optional<int> failure;
    std::optional<int> open(const QString& text) override {
        if (failure) return failure;
        opened << text;
        return std::nullopt;
    }
};

inline void addPage(TDataModule1& db, DateTime when, const QString& url) {
    Query q(db, QStringLiteral("fixture"));
    q.setStatement(Stmt::S21);
    q.setDateTime(QStringLiteral("data"), when);
    q.setText(QStringLiteral("url"), url);
    q.execute();
}

inline DateTime at(int day, int h, int m, int s = 0) {
    return encodeDateTime(2004, 3, day, h, m, s);
}

class PagesFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        dbPath = dir.filePath(QStringLiteral("telmora.mdb"));
        TDataModule1::createDatabase(dbPath);
        data = std::make_unique<TDataModule1>(dbPath);
        report = std::make_unique<ReportError>(dir.filePath(QStringLiteral("telmora.log")), clock,
                                               messages);
    }

    // Three calls on 05/03/2004 and six pages: two at the first call's very start and end, one
    // in the second call, one between calls (captured through a local network), and two on the
    // next day, one at midnight and one stored without quotes.
    void fillDay() {
        addCall(*data, at(5, 10, 0), at(5, 10, 30), QStringLiteral("Casa"));
        addCall(*data, at(5, 14, 0), at(5, 15, 15), QStringLiteral("Ufficio"));
        addCall(*data, at(5, 18, 0), at(5, 18, 10), QStringLiteral("alfa"));
        addPage(*data, at(5, 10, 0), kAtStart);
        addPage(*data, at(5, 10, 30), kAtEnd);
        addPage(*data, at(5, 12, 0), kOutside);
        addPage(*data, at(5, 14, 30), kInSecond);
        addPage(*data, at(6, 0, 0), kMidnight);
        addPage(*data, at(6, 9, 0), kNoQuote);
    }

    int pageCount() {
        Query q(*data, QStringLiteral("count"));
        q.setStatement(Stmt::S22);
        q.open();
        return static_cast<int>(q.rows().front().integer(QStringLiteral("RECNO")));
    }

    QStringList shown(const QString& kind) const {
        QStringList out;
        for (const auto& s : messages.shown) {
            if (s.kind == kind) out << s.text;
        }
        return out;
    }

    static inline const QString kAtStart = QStringLiteral("\"http://a.example/\",\"Pagina A\"");
    static inline const QString kAtEnd = QStringLiteral("\"http://b.example/\",\"Pagina B\"");
    static inline const QString kOutside = QStringLiteral("\"http://lan.example/\",\"Rete\"");
    static inline const QString kInSecond = QStringLiteral("\"http://c.example/\",\"Pagina C\"");
    static inline const QString kMidnight = QStringLiteral("\"http://m.example/\"");
    static inline const QString kNoQuote = QStringLiteral("www.senza-virgolette.example");

    QTemporaryDir dir;
    QString dbPath;
    FixedClock clock;
    ScriptedMessages messages;
    RecordingShell shell;
    std::unique_ptr<TDataModule1> data;
    std::unique_ptr<ReportError> report;
};

}  // namespace telmora::test
