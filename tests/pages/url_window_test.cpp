// The visited-pages window on the fixture: its frame, captions, lines, the scroll range, the
// double click, and clearing the history.

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QScrollBar>
#include <QTest>

#include "PagesFixture.h"
#include "uPagesHistory.h"
#include "uPagesList.h"
#include "uPeriodTotals.h"
#include "uUrl.h"

namespace telmora::test {
namespace {

class UrlWindow : public PagesFixture {
protected:
    std::unique_ptr<Tformurl> make(const PagesRequest& request) {
        return std::make_unique<Tformurl>(*data, messages, shell, *report, request);
    }

    static void doubleClickLine(TPageList& list, int row) {
        const QRect r = list.visualItemRect(list.item(row));
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, r.center());
    }
};

TEST_F(UrlWindow, FrameFontAndList) {
    auto w = make(PagesRequest::all());
    EXPECT_EQ(w->objectName(), QStringLiteral("formurl"));
    EXPECT_EQ(w->minimumSize(), QSize(800, 250));
    EXPECT_TRUE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(w->isModal());
    EXPECT_TRUE(QFontInfo(w->listurl->font()).fixedPitch());
    EXPECT_EQ(w->listurl->objectName(), QStringLiteral("listurl"));
    EXPECT_EQ(w->listurl->toolTip(), QStringLiteral("Apri con doppio click"));
    EXPECT_EQ(w->listurl->palette().color(QPalette::Base), QColor(0xCC, 0xE6, 0xFF));
}

TEST_F(UrlWindow, EmptyTableGivesNoPagesAndNoScrollRange) {
    auto w = make(PagesRequest::all());
    ASSERT_TRUE(w->loaded());
    w->show();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Telmora. Nessuna pagina web visitata"));
    EXPECT_EQ(w->listurl->count(), 0);
    EXPECT_EQ(w->listurl->horizontalExtent(), 0);
    EXPECT_EQ(w->listurl->horizontalScrollBar()->maximum(), 0);
}

TEST_F(UrlWindow, AllPagesNewestFirstAndTheDaysPagesOldestFirst) {
    fillDay();
    auto all = make(PagesRequest::all());
    EXPECT_EQ(all->windowTitle(), QStringLiteral("Telmora. Ultime 6 pagine web visitate."));
    ASSERT_EQ(all->listurl->count(), 6);
    EXPECT_EQ(all->listurl->item(0)->text(), "06/03/2004 09.00.00  " + kNoQuote);
    EXPECT_EQ(all->listurl->item(5)->text(), "05/03/2004 10.00.00  " + kAtStart);

    auto day = make(PagesRequest::ofDay(QStringLiteral("06/03/2004")));
    EXPECT_EQ(day->windowTitle(), QStringLiteral("Pagine web visitate il 06/03/2004"));
    EXPECT_EQ(day->listurl->lines(),
              (QStringList{"06/03/2004  " + kMidnight, "06/03/2004 09.00.00  " + kNoQuote}));
}

TEST_F(UrlWindow, ShownListScrollsToItsLongestLine) {
    fillDay();
    auto w = make(PagesRequest::all());
    w->resize(800, 250);
    w->show();
    const QString longest = "05/03/2004 14.30.00  " + kInSecond;  // the first of the longest
    const int extent = w->listurl->fontMetrics().horizontalAdvance(longest) + 10;
    EXPECT_EQ(w->listurl->horizontalExtent(), extent);
    EXPECT_EQ(w->listurl->horizontalScrollBar()->maximum(),
              qMax(0, extent - w->listurl->viewport()->width()));
    // Narrower than its widest line, the list scrolls exactly to it.
    w->resize(800, 250);
    w->listurl->setFixedWidth(200);
    QApplication::processEvents();
    EXPECT_EQ(w->listurl->horizontalScrollBar()->maximum(),
              extent - w->listurl->viewport()->width());
}

TEST(FitListScrollWidth, EmptyIsZeroAndTheFirstOfTheLongestLinesWins) {
    TPageList list;
    list.setFont(QFont(QStringLiteral("DejaVu Sans"), 10));  // proportional: W is wider than i
    list.setHorizontalExtent(500);
    FitListScrollWidth(list);
    EXPECT_EQ(list.horizontalExtent(), 0);

    const QString wide = QStringLiteral("WWWWWWWW"), narrow = QStringLiteral("iiiiiiii");
    ASSERT_GT(list.fontMetrics().horizontalAdvance(wide),
              list.fontMetrics().horizontalAdvance(narrow));
    for (const auto& [first, second] : {std::pair{narrow, wide}, std::pair{wide, narrow}}) {
        list.clear();
        list.addItems({QStringLiteral("short"), first, second, QStringLiteral("WWWWWWW")});
        FitListScrollWidth(list);
        EXPECT_EQ(list.horizontalExtent(), list.fontMetrics().horizontalAdvance(first) + 10)
            << first.toStdString();
    }
}

TEST_F(UrlWindow, DoubleClickOpensTheSelectedLinesPageText) {
    fillDay();
    auto w = make(PagesRequest::ofDay(QStringLiteral("05/03/2004")));
    w->show();
    doubleClickLine(*w->listurl, 1);
    EXPECT_EQ(shell.opened, QStringList{kAtEnd});  // the whole quoted answer, title included

    shell.failure = 2;
    doubleClickLine(*w->listurl, 0);
    EXPECT_EQ(shown(QStringLiteral("error")),
              QStringList{QStringLiteral("Impossibile aprire la pagina selezionata. Errore 2")});
    EXPECT_EQ(w->listurl->count(), 4);  // the list stays as it is
}

TEST_F(UrlWindow, DoubleClickWithNoLineSelectedDoesNothing) {
    fillDay();
    auto w = make(PagesRequest::ofDay(QStringLiteral("06/03/2004")));
    w->resize(800, 250);
    w->show();
    const QRect last = w->listurl->visualItemRect(w->listurl->item(1));
    QTest::mouseDClick(w->listurl->viewport(), Qt::LeftButton, {},
                       QPoint(last.center().x(), last.bottom() + 40));
    EXPECT_TRUE(shell.opened.isEmpty());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(UrlWindow, ClosingEmptiesTheList) {
    fillDay();
    auto w = make(PagesRequest::all());
    w->show();
    w->close();
    EXPECT_EQ(w->listurl->count(), 0);
}

TEST_F(UrlWindow, AMalformedDayIsReportedAndTheWindowNotLoaded) {
    auto w = make(PagesRequest::ofDay(QStringLiteral("32/13/2004")));
    EXPECT_FALSE(w->loaded());
    EXPECT_EQ(shown(QStringLiteral("error")).size(), 1);
}

TEST_F(UrlWindow, ClearingTheHistory) {
    fillDay();
    PeriodTotals totals(*data);
    ASSERT_FALSE(totals.compute(Activity::Internet, PeriodKind::Day, QStringLiteral("05/03/2004"))
                     .lblurl.isEmpty());

    messages.confirmAnswers = {Answer::No};
    EXPECT_FALSE(ClearPageHistory(*data, messages, *report));
    EXPECT_EQ(pageCount(), 6);
    EXPECT_EQ(shown(QStringLiteral("confirm")),
              QStringList{QStringLiteral("Eliminare cronologia di tutti i siti web visitati?")});

    messages.confirmAnswers = {Answer::Yes};
    EXPECT_TRUE(ClearPageHistory(*data, messages, *report));
    EXPECT_EQ(pageCount(), 0);
    const PeriodReport after =
        totals.compute(Activity::Internet, PeriodKind::Day, QStringLiteral("05/03/2004"));
    EXPECT_TRUE(after.lblurl.isEmpty());
    EXPECT_FALSE(after.urlLink.active);
    EXPECT_EQ(after.lblcalls, QStringLiteral("Chiamate:  3"));  // the calls are untouched

    addPage(*data, at(5, 20, 0), kAtStart);
    EXPECT_FALSE(totals.compute(Activity::Internet, PeriodKind::Day, QStringLiteral("05/03/2004"))
                     .lblurl.isEmpty());
}

TEST_F(UrlWindow, ClearingFailsWhenTheDatabaseIsGone) {
    data->closeConnection();
    ASSERT_TRUE(QFile::remove(dbPath));
    EXPECT_FALSE(ClearPageHistory(*data, messages, *report));
    EXPECT_EQ(shown(QStringLiteral("error")).size(), 1);
}

}  // namespace
}  // namespace telmora::test
