// The call details on the fixture: captions by tag, the grid's cells and titles, the sort by a
// title click, the page list following the current row, and the double click on a page.

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTableView>
#include <QTest>

#include "PagesFixture.h"
#include "uCallList.h"
#include "uInfoCalls.h"
#include "uPagesList.h"

namespace telmora::test {
namespace {

class InfoCalls : public PagesFixture {
protected:
    void SetUp() override {
        PagesFixture::SetUp();
        fillDay();
    }

    std::unique_ptr<TformInfoCalls> make(CallsTag tag = CallsTag::Day,
                                         const QString& period = QStringLiteral("05/03/2004")) {
        auto w = std::make_unique<TformInfoCalls>(*data, messages, shell, *report, tag, period);
        w->resize(900, 300);
        w->show();
        return w;
    }

    static QStringList column(const TformInfoCalls& w, int c) {
        QStringList out;
        const QAbstractItemModel* m = w.dbgridcalls->model();
        for (int r = 0; r < m->rowCount(); ++r) out << m->index(r, c).data().toString();
        return out;
    }

    static void clickTitle(TformInfoCalls& w, int c) {
        QHeaderView* h = w.dbgridcalls->horizontalHeader();
        const int x = h->sectionViewportPosition(c) + h->sectionSize(c) / 2;
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(x, h->height() / 2));
    }

    const QString a0 = "05/03/2004 10.00.00  " + kAtStart;
    const QString a1 = "05/03/2004 10.30.00  " + kAtEnd;
    const QString b0 = "05/03/2004 14.30.00  " + kInSecond;
};

TEST_F(InfoCalls, CaptionByTag) {
    addCall(*data, at(20, 8, 0), at(20, 8, 5), QStringLiteral("Casa"));
    struct Case {
        CallsTag tag;
        const char* period;
        const char* caption;
        int calls;
    } cases[] = {
        {CallsTag::Day, "05/03/2004", "Dettaglio chiamate del 05/03/2004", 3},
        {CallsTag::Month, " 2004/03 ", "Dettaglio chiamate mese 2004/03", 4},
        {CallsTag::Year, "2004", "Dettaglio chiamate anno 2004", 4},
    };
    for (const Case& c : cases) {
        auto w = make(c.tag, QString::fromLatin1(c.period));
        EXPECT_TRUE(w->loaded());
        EXPECT_EQ(w->windowTitle(), QString::fromLatin1(c.caption));
        EXPECT_EQ(w->dbgridcalls->model()->rowCount(), c.calls) << c.caption;
    }
    EXPECT_FALSE(make(CallsTag::None)->loaded());
}

TEST_F(InfoCalls, FrameGridCellsAndTitles) {
    auto w = make();
    EXPECT_EQ(w->objectName(), QStringLiteral("formInfoCalls"));
    EXPECT_EQ(w->minimumSize(), QSize(858, 250));
    EXPECT_TRUE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(w->dbgridcalls->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(w->dbgridcalls->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_FALSE(w->dbgridcalls->horizontalHeader()->sectionsMovable());
    EXPECT_EQ(w->ListUrl->toolTip(), QStringLiteral("Apri con doppio click"));

    const QAbstractItemModel* m = w->dbgridcalls->model();
    QStringList titles;
    for (int c = 0; c < 4; ++c) titles << m->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, (QStringList{"Inizio", "Fine", "Durata", "Connessione"}));
    EXPECT_EQ(column(*w, 0),
              (QStringList{"05/03/2004 10.00.00", "05/03/2004 14.00.00", "05/03/2004 18.00.00"}));
    EXPECT_EQ(column(*w, 1),
              (QStringList{"05/03/2004 10.30.00", "05/03/2004 15.15.00", "05/03/2004 18.10.00"}));
    EXPECT_EQ(column(*w, 2), (QStringList{"00.30.00", "01.15.00", "00.10.00"}));
    EXPECT_EQ(column(*w, 3), (QStringList{"Casa", "Ufficio", "alfa"}));
    for (int c = 0; c < 4; ++c) {
        const auto align = m->index(0, c).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
        EXPECT_EQ(align & Qt::AlignHorizontal_Mask, c == 3 ? Qt::AlignLeft : Qt::AlignRight) << c;
        EXPECT_EQ(m->headerData(c, Qt::Horizontal, Qt::ToolTipRole).toString(),
                  QStringLiteral("Ordina"));
    }
    EXPECT_FALSE(m->index(0, 0).flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(w->dbgridcalls->toolTip().isEmpty());  // the hint is the title row's alone

    TCallsModel empty;
    EXPECT_FALSE(empty.headerData(0, Qt::Horizontal, Qt::ToolTipRole).isValid());
}

TEST_F(InfoCalls, FirstCallIsCurrentWithItsPagesBothEndsIncluded) {
    auto w = make();
    EXPECT_EQ(w->dbgridcalls->currentIndex().row(), 0);
    EXPECT_EQ(w->ListUrl->lines(), (QStringList{a0, a1}));
    EXPECT_EQ(w->ListUrl->horizontalExtent(), w->ListUrl->fontMetrics().horizontalAdvance(a0) + 10);
}

TEST_F(InfoCalls, PagesFollowTheCurrentRowMovedWithTheKeyboard) {
    auto w = make();
    w->dbgridcalls->setFocus();
    QTest::keyClick(w->dbgridcalls, Qt::Key_Down);
    EXPECT_EQ(w->dbgridcalls->currentIndex().row(), 1);
    EXPECT_EQ(w->ListUrl->lines(), QStringList{b0});
    QTest::keyClick(w->dbgridcalls, Qt::Key_Down);
    EXPECT_TRUE(w->ListUrl->lines().isEmpty());  // the page between calls never shows
    EXPECT_EQ(w->ListUrl->horizontalExtent(), 0);
    QTest::keyClick(w->dbgridcalls, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(w->ListUrl->lines(), (QStringList{a0, a1}));
}

TEST_F(InfoCalls, TitleClickSortsAsTheTableSaysWithoutToggling) {
    struct Case {
        int column;
        QStringList names;
    } cases[] = {
        {TCallsModel::Durata, {"Ufficio", "Casa", "alfa"}},
        {TCallsModel::Durata, {"Ufficio", "Casa", "alfa"}},  // a second click keeps it
        {TCallsModel::Connessione, {"alfa", "Casa", "Ufficio"}},
        {TCallsModel::Fine, {"Casa", "Ufficio", "alfa"}},
        {TCallsModel::Connessione, {"alfa", "Casa", "Ufficio"}},
        {TCallsModel::Inizio, {"Casa", "Ufficio", "alfa"}},
    };
    auto w = make();
    for (const Case& c : cases) {
        clickTitle(*w, c.column);
        EXPECT_EQ(column(*w, TCallsModel::Connessione), c.names) << c.column;
    }
}

TEST_F(InfoCalls, AfterASortTheCurrentCallAndItsPagesStayAndTheKeyboardWalksTheNewOrder) {
    auto w = make();  // "Casa" current
    clickTitle(*w, TCallsModel::Durata);
    const int row = w->dbgridcalls->currentIndex().row();
    EXPECT_EQ(w->calls()->call(row).name, QStringLiteral("Casa"));
    EXPECT_EQ(w->ListUrl->lines(), (QStringList{a0, a1}));
    w->dbgridcalls->setFocus();
    QTest::keyClick(w->dbgridcalls, Qt::Key_Up);  // "Ufficio", the longest, is above it now
    EXPECT_EQ(w->calls()->call(w->dbgridcalls->currentIndex().row()).name,
              QStringLiteral("Ufficio"));
    EXPECT_EQ(w->ListUrl->lines(), QStringList{b0});
}

TEST_F(InfoCalls, DoubleClickOnAPageOpensIt) {
    auto w = make();
    const QRect r = w->ListUrl->visualItemRect(w->ListUrl->item(1));
    QTest::mouseDClick(w->ListUrl->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_EQ(shell.opened, QStringList{kAtEnd});
}

TEST_F(InfoCalls, ReopeningForAnotherPeriodShowsItsCallsAndFirstPages) {
    addCall(*data, at(6, 0, 0), at(6, 9, 30), QStringLiteral("Notte"));
    make();
    auto w = make(CallsTag::Day, QStringLiteral("06/03/2004"));
    EXPECT_EQ(column(*w, 0), QStringList{"06/03/2004"});  // a call from midnight: the day alone
    EXPECT_EQ(w->ListUrl->lines(),
              (QStringList{"06/03/2004  " + kMidnight, "06/03/2004 09.00.00  " + kNoQuote}));
}

TEST_F(InfoCalls, ClosingEmptiesThePageList) {
    auto w = make();
    w->close();
    EXPECT_EQ(w->ListUrl->count(), 0);
}

}  // namespace
}  // namespace telmora::test
