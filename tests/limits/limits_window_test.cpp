// The limits window offscreen: its controls and texts, the values it loads, the enabling rule,
// the ranges, and what its close stores and does to the limit watch.

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>

#include "LimitsFixture.h"
#include "uAvvisi.h"

namespace telmora::test {
namespace {

class LimitsWindowTest : public LimitsFixture {
protected:
    void open() {
        form = std::make_unique<Tformavvisi>(host, *watch);
        form->show();
    }
    void TearDown() override {
        form.reset();
        LimitsFixture::TearDown();
    }
    // Types text into a spin field as a person can (no check of what is typed).
    static void type(TSpinEdit* spin, const QString& text) {
        spin->findChild<QLineEdit*>()->setText(text);
    }
    // Whether some pixel of the widget is clearly bluer than it is red.
    static bool hasNavyInk(QWidget* w) {
        const QImage image = w->grab().toImage();
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.blue() - c.red() > 40) return true;
            }
        }
        return false;
    }

    std::unique_ptr<Tformavvisi> form;
};

TEST_F(LimitsWindowTest, ControlsCaptionsAndRanges) {
    open();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Avvisi connessione internet"));
    EXPECT_EQ(form->palette().color(QPalette::Window), QColor(192, 220, 192));
    EXPECT_TRUE(form->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(form->windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_EQ(form->GroupBox1->title(), QStringLiteral("LIMITE GIORNALIERO (ore)"));
    EXPECT_EQ(form->GroupBox2->title(), QStringLiteral("LIMITE MENSILE (ore)"));
    EXPECT_LT(form->GroupBox1->x(), form->GroupBox2->x());
    EXPECT_EQ(form->GroupBox1->y(), form->GroupBox2->y());
    EXPECT_TRUE(hasNavyInk(form->GroupBox1));
    EXPECT_FALSE(hasNavyInk(form->chDayLimit));
    EXPECT_FALSE(hasNavyInk(form->chDisconnectMonth));

    const QString hint = QStringLiteral("Disconnetti automaticamente\r\nal superamento del limite");
    struct Group {
        QCheckBox* notice;
        TSpinEdit* hours;
        QCheckBox* disconnect;
        QGroupBox* box;
        int maximum;
    };
    for (const Group& g :
         {Group{form->chDayLimit, form->spinDay, form->chDisconnectDay, form->GroupBox1, 23},
          Group{form->chMonthLimit, form->spinMonth, form->chDisconnectMonth, form->GroupBox2,
                600}}) {
        EXPECT_EQ(g.notice->text(), QStringLiteral("Avvisa"));
        EXPECT_EQ(g.disconnect->text(), QStringLiteral("Disconnetti automaticamente"));
        EXPECT_EQ(g.disconnect->toolTip(), hint);
        EXPECT_EQ(g.hours->toolTip(), QStringLiteral("Ore di connessione"));
        EXPECT_EQ(g.hours->minimum(), 1);
        EXPECT_EQ(g.hours->maximum(), g.maximum);
        for (QWidget* w : std::initializer_list<QWidget*>{g.notice, g.hours, g.disconnect}) {
            EXPECT_EQ(w->parentWidget(), g.box);
        }
    }
    EXPECT_EQ(form->findChild<QCheckBox*>(QStringLiteral("chDayLimit")), form->chDayLimit);
    EXPECT_EQ(form->findChild<TSpinEdit*>(QStringLiteral("spinMonth")), form->spinMonth);
}

TEST_F(LimitsWindowTest, LoadsTheSettingsAndEnablesEachGroupByItsNoticeBox) {
    host.limits = {true, false, true, true, 7, 450};
    open();
    EXPECT_TRUE(form->chDayLimit->isChecked());
    EXPECT_EQ(form->spinDay->value(), 7);
    EXPECT_TRUE(form->chDisconnectDay->isChecked());
    EXPECT_FALSE(form->chMonthLimit->isChecked());
    EXPECT_EQ(form->spinMonth->value(), 450);
    EXPECT_TRUE(form->chDisconnectMonth->isChecked());
    EXPECT_TRUE(form->spinDay->isEnabled());
    EXPECT_TRUE(form->chDisconnectDay->isEnabled());
    EXPECT_FALSE(form->spinMonth->isEnabled());
    EXPECT_FALSE(form->chDisconnectMonth->isEnabled());

    form->chDayLimit->click();
    form->chMonthLimit->click();
    EXPECT_FALSE(form->spinDay->isEnabled());
    EXPECT_FALSE(form->chDisconnectDay->isEnabled());
    EXPECT_TRUE(form->spinMonth->isEnabled());
    EXPECT_TRUE(form->chDisconnectMonth->isEnabled());
    // Disabled controls keep their values, and they are stored.
    form->close();
    EXPECT_EQ(host.limits, (LimitSettings{false, true, true, true, 7, 450}));
}

struct RangeCase {
    int storedDay, storedMonth;  // in the settings
    const char* typedDay;        // typed before closing; nullptr: nothing typed
    const char* typedMonth;
    int shownDay, shownMonth;
    int keptDay, keptMonth;  // stored at close
};

class LimitsWindowRangeTest : public LimitsWindowTest,
                              public ::testing::WithParamInterface<RangeCase> {};

TEST_P(LimitsWindowRangeTest, BringsValuesIntoRange) {
    const RangeCase& c = GetParam();
    host.limits.hdaylimit = c.storedDay;
    host.limits.hmonthlimit = c.storedMonth;
    open();
    EXPECT_EQ(form->spinDay->text(), QString::number(c.shownDay));
    EXPECT_EQ(form->spinMonth->text(), QString::number(c.shownMonth));
    if (c.typedDay) type(form->spinDay, QString::fromLatin1(c.typedDay));
    if (c.typedMonth) type(form->spinMonth, QString::fromLatin1(c.typedMonth));
    form->close();
    EXPECT_EQ(host.limits.hdaylimit, c.keptDay);
    EXPECT_EQ(host.limits.hmonthlimit, c.keptMonth);
}

INSTANTIATE_TEST_SUITE_P(Table, LimitsWindowRangeTest,
                         ::testing::Values(RangeCase{30, 900, nullptr, nullptr, 23, 600, 23, 600},
                                           RangeCase{0, -4, nullptr, nullptr, 1, 1, 1, 1},
                                           RangeCase{5, 100, "", "abc", 5, 100, 1, 1},
                                           RangeCase{5, 100, "99", "1000", 5, 100, 23, 600},
                                           RangeCase{5, 100, " 12 ", "600", 5, 100, 12, 600}));

TEST_F(LimitsWindowTest, CloseWhileOnlineWithALimitClearsTheNoticesAndStartsTheWatch) {
    host.dayGiven = host.monthGiven = true;
    open();
    form->chMonthLimit->click();
    form->close();
    EXPECT_TRUE(host.limits.monthlimit);
    EXPECT_FALSE(host.dayGiven);
    EXPECT_FALSE(host.monthGiven);
    EXPECT_TRUE(watch->active());
    EXPECT_FALSE(form->isVisible());
}

TEST_F(LimitsWindowTest, CloseWhileOnlineWithoutLimitsStopsTheWatch) {
    host.limits.daylimit = true;
    watch->start();
    open();
    form->chDayLimit->click();
    form->reject();  // Escape
    EXPECT_FALSE(host.limits.daylimit);
    EXPECT_FALSE(watch->active());
}

TEST_F(LimitsWindowTest, CloseWhileOfflineChangesOnlyTheSettings) {
    host.isOnline = false;
    host.dayGiven = true;
    open();
    form->chDayLimit->click();
    form->close();
    EXPECT_TRUE(host.limits.daylimit);
    EXPECT_TRUE(host.dayGiven);
    EXPECT_FALSE(watch->active());
}

}  // namespace
}  // namespace telmora::test
