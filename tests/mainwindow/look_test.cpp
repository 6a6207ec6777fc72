// The window as it is drawn: its frame and colours, room for every text with the fonts this
// machine has, and which changes of the period selectors lead to the totals.
// Set TELMORA_GRAB_DIR to a folder to keep a picture of the window as the tests draw it.

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QStyleOptionComboBox>

#include "WindowFixture.h"
#include "uStatusBar.h"

namespace telmora::test {
namespace {

class LookTest : public WindowFixture {
protected:
    // Two calls and a third under way, one PC session of the day before; the clock line on.
    void liveDay() {
        fp.clock->set(2004, 3, 5, 9, 0, 0);
        dialUpOnline();
        fp.clock->set(2004, 3, 5, 9, 40, 30);
        dialUpOffline();
        fp.clock->set(2004, 3, 5, 18, 7, 0);
        dialUpOnline();
        fp.clock->set(2004, 3, 5, 18, 37, 45);
        dialUpOffline();
        fp.clock->set(2004, 3, 5, 20, 7, 0);
        dialUpOnline();
        addPcSession(*data, encodeDateTime(2004, 3, 4, 8, 15, 0),
                     encodeDateTime(2004, 3, 4, 23, 59, 59));
        fp.clock->set(2004, 3, 5, 20, 7, 31);
        session().timercambiodataTimer();
    }
    void choose(QComboBox* list, int index) {
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
    void keepPicture(const QString& name) {
        const QString folder = qEnvironmentVariable("TELMORA_GRAB_DIR");
        if (!folder.isEmpty()) form->grab().save(folder + QLatin1Char('/') + name);
    }
    QColor at(const QImage& image, QWidget* w, QPoint p) {
        return image.pixelColor(w->mapTo(form, p));
    }
    // Whether some pixel of the widget has exactly this colour.
    bool shows(const QImage& image, QWidget* w, const QColor& colour) {
        const QRect r(w->mapTo(form, QPoint(0, 0)), w->size());
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                if (image.pixelColor(x, y) == colour) return true;
            }
        }
        return false;
    }
    // Every visible label shows its whole text.
    void expectNothingCut() {
        for (QLabel* label : form->findChildren<QLabel*>()) {
            if (!label->isVisible() || label->text().isEmpty()) continue;
            SCOPED_TRACE(label->objectName().toStdString() + ": " + label->text().toStdString());
            if (label->wordWrap()) {
                EXPECT_LE(label->heightForWidth(label->width()), label->height());
            } else {
                EXPECT_LE(label->sizeHint().width(), label->width());
                EXPECT_LE(label->sizeHint().height(), label->height());
            }
        }
        for (QComboBox* list : {form->combomese, form->comboanno}) {
            QStyleOptionComboBox option;
            option.initFrom(list);
            const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                              QStyle::SC_ComboBoxEditField, list);
            for (int i = 0; i < list->count(); ++i) {
                EXPECT_LE(list->fontMetrics().horizontalAdvance(list->itemText(i)), field.width())
                    << list->itemText(i).toStdString();
            }
        }
        EXPECT_LE(form->datgiorno->sizeHint().width(), form->datgiorno->width());
    }
};

TEST_F(LookTest, FrameAndColours) {
    liveDay();
    form->ShowMainWindow();
    keepPicture(QStringLiteral("main-window.png"));

    EXPECT_EQ(form->windowTitle(), QStringLiteral("Telmora"));
    const QImage programIcon = picture(QIcon(QStringLiteral(":/icons/telmora.svg")));
    ASSERT_FALSE(programIcon.isNull());
    EXPECT_EQ(picture(form->windowIcon()), programIcon);
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    const Qt::WindowFlags flags = form->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    const QPoint centre = form->screen()->availableGeometry().center();
    EXPECT_LE((form->frameGeometry().center() - centre).manhattanLength(), 40);

    const QImage image = form->grab().toImage();
    const QColor blue(153, 204, 255), black(0, 0, 0), yellow(255, 255, 0);
    const QColor cream(255, 251, 240), navy(0, 0, 128), red(255, 0, 0);
    EXPECT_EQ(at(image, form->rg, QPoint(-4, -4)), blue);
    EXPECT_EQ(at(image, form->lbltop, QPoint(2, 2)), black);
    EXPECT_TRUE(shows(image, form->lbltop, yellow));
    EXPECT_EQ(form->lbltop->text(), QStringLiteral("venerdì 05 marzo 2004  20.07.31"));
    for (const char* caption : {"Label1", "Label2", "Label3"}) {
        auto* label = form->findChild<QLabel*>(QString::fromLatin1(caption));
        ASSERT_NE(label, nullptr) << caption;
        EXPECT_EQ(at(image, label, QPoint(1, 1)), black) << caption;
        EXPECT_TRUE(shows(image, label, yellow)) << caption;
    }
    EXPECT_EQ(form->rg->title(), QStringLiteral("ATTIVITA'"));
    EXPECT_EQ(form->rgInternet->text(), QStringLiteral("Internet"));
    EXPECT_EQ(form->rgPc->text(), QStringLiteral("PC"));
    EXPECT_EQ(form->rgInternet->y(), form->rgPc->y());  // two columns, one row
    for (QLabel* line : {form->lblconnessione, form->lbldevice, form->lblip}) {
        EXPECT_EQ(at(image, line, QPoint(1, 1)), cream);
        EXPECT_TRUE(shows(image, line, navy)) << line->text().toStdString();
        EXPECT_TRUE(line->font().bold());
    }
    auto* panel = form->findChild<QWidget*>(QStringLiteral("Panel1"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(at(image, panel, QPoint(panel->width() / 2, panel->height() - 4)), red);
    EXPECT_GT(panel->x(), form->rg->x() + form->rg->width());  // on the right
    for (QLabel* l : {form->lbltot, form->lblcalls, form->lblmax, form->lblurl}) {
        EXPECT_TRUE(l->font().bold());
    }
    EXPECT_EQ(form->lblurl->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_GT(form->sb1().width(),
              StatusBar1::kLeftPanelWidth +
                  2 * form->sb1().fontMetrics().horizontalAdvance(QStringLiteral("OFFLINE")));
    // The top-level items show their captions beside their pictures.
    const QMenuBar* bar = form->menuBar();
    for (QAction* item : bar->actions()) {
        EXPECT_GE(bar->actionGeometry(item).width(),
                  16 + bar->fontMetrics().horizontalAdvance(QString(item->text()).remove('&')))
            << item->text().toStdString();
    }
}

TEST_F(LookTest, EveryTextFitsInBothActivities) {
    liveDay();
    form->ShowMainWindow();
    choose(form->comboanno, 0);
    EXPECT_EQ(form->lbltot->text(), QStringLiteral("Totale:  1 h 11 m 15 s"));
    EXPECT_EQ(form->lblmax->text(), QStringLiteral("Più lunga:  Casa\r\n05/03/2004 09.00.00\r\n"
                                                   "05/03/2004 09.40.30\r\n00.40.30"));
    expectNothingCut();
    // The longest line of the LAN form.
    lanOnline();
    form->setIdentityLines(QStringLiteral("Connessione: PROXY"),
                           QStringLiteral("MAC ADDRESS: 00-0C-29-3A-11-7F"),
                           QStringLiteral("LOCAL IP: 192.168.100.200  HOST: workstation-042"));
    expectNothingCut();

    form->rgPc->click();
    choose(form->combomese, 0);
    EXPECT_EQ(form->lblcalls->text(), QStringLiteral("Sessioni:  1"));
    expectNothingCut();
    keepPicture(QStringLiteral("main-window-pc.png"));
}

TEST_F(LookTest, OnlyTheUsersChoicesComputeAReport) {
    liveDay();
    form->ShowMainWindow();
    // What the program sets itself is no choice: the day at start, the lists it fills.
    form->setDayPicker(encodeDate(2004, 3, 4));
    form->comboanno->setCurrentIndex(0);
    EXPECT_TRUE(form->lbltot->text().isEmpty());

    struct Case {
        const char* choice;
        std::function<void()> choose;
        QString calls;
    };
    const Case cases[] = {
        {"year", [this] { choose(form->comboanno, 0); }, QStringLiteral("Chiamate:  2")},
        {"day", [this] { form->datgiorno->setDate(QDate(2004, 3, 5)); },
         QStringLiteral("Chiamate:  2")},
        {"month", [this] { choose(form->combomese, 0); }, QStringLiteral("Chiamate:  2")},
    };
    for (const Case& c : cases) {
        form->lblcalls->clear();
        c.choose();
        EXPECT_EQ(form->lblcalls->text(), c.calls) << c.choice;
    }
    // The activity already chosen, clicked again, changes nothing; the other one starts afresh.
    form->rgInternet->click();
    EXPECT_EQ(form->lblcalls->text(), QStringLiteral("Chiamate:  2"));
    form->rgPc->click();
    EXPECT_EQ(session().options().rg, 1);
    EXPECT_TRUE(form->lblcalls->text().isEmpty());
}

}  // namespace
}  // namespace telmora::test
