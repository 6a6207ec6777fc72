// The period selectors and the totals panel of the main window.

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QRadioButton>

#include "WindowFixture.h"

namespace telmora::test {
namespace {

class PeriodsTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        addCall(encodeDateTime(2004, 3, 5, 10, 0, 0), "00.40.30");
        addCall(encodeDateTime(2004, 3, 6, 9, 0, 0), "00.30.45");
        addCall(encodeDateTime(2005, 1, 2, 8, 0, 0), "01.00.00");
        addPcSession(*data, encodeDateTime(2003, 7, 1, 8, 0, 0),
                     encodeDateTime(2003, 7, 1, 9, 0, 0));
    }

    void addCall(DateTime start, const char* duration) {
        test::addCall(*data, start, start + *parseDurationText(QLatin1String(duration)),
                      QStringLiteral("Casa"));
    }

    QStringList items(const QComboBox* box) const {
        QStringList out;
        for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
        return out;
    }
    QColor base(const QWidget* w) const { return w->palette().color(QPalette::Base); }
    QStringList labels() const {
        return {form->lbltot->text(), form->lblcalls->text(), form->lblmax->text(),
                form->lblurl->text()};
    }
};

TEST_F(PeriodsTest, ShowingTheWindowFillsTheListsNewestFirstWithNothingSelected) {
    form->ShowMainWindow();
    EXPECT_EQ(items(form->combomese),
              (QStringList{QStringLiteral("2005/01"), QStringLiteral("2004/03")}));
    EXPECT_EQ(items(form->comboanno),
              (QStringList{QStringLiteral("2005"), QStringLiteral("2004")}));
    EXPECT_EQ(form->combomese->currentIndex(), -1);
    EXPECT_EQ(form->comboanno->currentIndex(), -1);
    EXPECT_EQ(labels(), QStringList(4, QString()));
}

TEST_F(PeriodsTest, APickedPeriodShowsItsTotalsPaintsItsSelectorAndSetsTheLink) {
    form->ShowMainWindow();
    form->comboanno->setCurrentIndex(1);
    form->comboannoChange();
    EXPECT_EQ(form->lbltot->text(), QStringLiteral("Totale:  1 h 11 m 15 s"));
    EXPECT_EQ(form->lblcalls->text(), QStringLiteral("Chiamate:  2"));
    EXPECT_TRUE(
        form->lblmax->text().startsWith(QStringLiteral("Più lunga:  Casa\r\n05/03/2004 10.00.00")));
    EXPECT_EQ(form->lblcallsTag(), 3);
    EXPECT_EQ(form->lblcalls->toolTip(), QStringLiteral("Dettaglio chiamate"));
    EXPECT_EQ(form->lblcalls->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_EQ(form->lblcalls->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(base(form->comboanno), QColor(Qt::red));
    EXPECT_EQ(base(form->combomese), QColor(Qt::white));
    EXPECT_EQ(base(form->datgiorno), QColor(Qt::white));

    // One call on the day: no prefix, no link, the tag back to 0.
    form->datgiorno->setDate(QDate(2004, 3, 6));
    EXPECT_EQ(form->lblcalls->text(), QStringLiteral("Chiamate:  1"));
    EXPECT_EQ(form->lblcallsTag(), 0);
    EXPECT_TRUE(form->lblcalls->toolTip().isEmpty());
    EXPECT_EQ(form->lblmax->text(),
              QStringLiteral("Casa\r\n06/03/2004 09.00.00\r\n06/03/2004 09.30.45\r\n00.30.45"));
    EXPECT_EQ(base(form->datgiorno), QColor(Qt::red));
    EXPECT_EQ(base(form->comboanno), QColor(Qt::white));
}

TEST_F(PeriodsTest, SwitchingTheActivityEmptiesTheLabelsAndRefillsTheListsKeepingTheTag) {
    form->ShowMainWindow();
    form->combomese->setCurrentIndex(1);
    form->combomeseChange();
    ASSERT_EQ(form->lblcallsTag(), 2);
    form->rgPc->click();
    EXPECT_EQ(labels(), QStringList(4, QString()));
    EXPECT_EQ(items(form->combomese), QStringList{QStringLiteral("2003/07")});
    EXPECT_EQ(items(form->comboanno), QStringList{QStringLiteral("2003")});
    EXPECT_EQ(base(form->combomese), QColor(Qt::white));
    EXPECT_EQ(form->lblcallsTag(), 2) << "only the next report resets the tag";
    EXPECT_EQ(session().options().rg, 1);

    form->comboanno->setCurrentIndex(0);
    form->comboannoChange();
    EXPECT_EQ(form->lblcalls->text(), QStringLiteral("Sessioni:  1"));
    EXPECT_EQ(form->lblcallsTag(), 0);
}

}  // namespace
}  // namespace telmora::test
