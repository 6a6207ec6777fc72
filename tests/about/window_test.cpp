// The About window offscreen: its lines, its links, its timer, and the mail without showing it.

#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QMovie>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "IClock.h"
#include "QtPrinters.h"
#include "ScriptedMessages.h"
#include "SimControl.h"
#include "SimMailer.h"
#include "uClickImage.h"
#include "uInfo.h"
#include "uReportError.h"
#include "uSystemInfo.h"

namespace telmora {
namespace {

QString data(const char* name) {
    return QStringLiteral(TELMORA_TEST_DATA "/") + QLatin1String(name);
}

class AboutWindow : public ::testing::Test {
protected:
    QTemporaryDir dir;
    SystemClock clock;
    ScriptedMessages messages;
    ReportError reportError{dir.filePath(QStringLiteral("telmora.log")), clock, messages};
    SimLog log{dir.path()};
    SimMailer mailer{log};
    SystemSources sources = [this] {
        SystemSources s;
        s.osRelease = {data("os-release-debian")};
        s.cpuinfo = data("cpuinfo-intel");
        s.cpuMaxFreq = data("missing");
        s.memory = [] { return MemoryStatus{8'253'498'500, 1'234'567'500}; };
        s.browserVersion = [] { return QStringLiteral("Mozilla Firefox 115.6.0esr"); };
        return s;
    }();

    QString simlog() const {
        QFile f(dir.filePath(QStringLiteral("telmora.simlog")));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    static void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
};

TEST_F(AboutWindow, ShowsTheLinesInOrderAndRunsTheCreditLine) {
    const SystemInfo info(sources);
    Tforminfo form(info, mailer, reportError, QStringLiteral("05/03/2004 18.07.31"), 3);
    EXPECT_FALSE(form.Timer1->isActive());  // nothing runs before the window is shown
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    const QLabel* lines[] = {form.lblwin, form.lblcpu,        form.lblmem,
                             form.lblie,  form.lblprimoavvio, form.lblarran};
    const QString texts[] = {
        QStringLiteral("Debian GNU/Linux (version 12)"),
        QStringLiteral("GenuineIntel (Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz) 2808 MHz"),
        QStringLiteral("Memoria totale: 8253498 KB  Memoria disponibile: 1234568 KB"),
        QStringLiteral("Browser: Mozilla Firefox 115.6.0esr"),
        QStringLiteral("Primo avvio Telmora:  05/03/2004 18.07.31"),
        QStringLiteral("Arresti anomali:  3"),
    };
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(lines[i]->text(), texts[i]);
        EXPECT_EQ(lines[i]->parentWidget(), form.infoPanel);
        if (i > 0) {
            EXPECT_GT(lines[i]->y(), lines[i - 1]->y());
        }
        const QColor expected = i < 4 ? QColor(Qt::black) : QColor(0, 0, 128);
        EXPECT_EQ(lines[i]->palette().color(QPalette::WindowText), expected) << i;
    }
    EXPECT_EQ(form.Label1->text(), QStringLiteral("Telmora"));
    EXPECT_EQ(form.Version->text(), QStringLiteral("v 2.4"));
    EXPECT_EQ(form.Image2->toolTip(), QStringLiteral("mail to Telmora Team"));
    EXPECT_EQ(form.Image5->toolTip(), QStringLiteral("Telmora Team home page"));
    EXPECT_EQ(form.Image3->toolTip(), QStringLiteral(";-)"));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_FALSE(form.ProgramIcon->pixmap().isNull());  // the logo through our decoder
    ASSERT_NE(form.Image2->movie(), nullptr);
    EXPECT_EQ(form.Image2->movie()->state(), QMovie::Running);
    EXPECT_GT(form.Image2->movie()->frameCount(), 1);
    EXPECT_TRUE(messages.shown.empty());

    EXPECT_TRUE(form.Timer1->isActive());
    EXPECT_EQ(form.Timer1->interval(), 300);
    const QString before = form.runninglabel->text();
    QTest::qWait(700);
    EXPECT_TRUE(before.endsWith(form.runninglabel->text()));
    EXPECT_LT(form.runninglabel->text().size(), before.size());

    // A picture of the window for the documentation, when asked for.
    const QString shot = qEnvironmentVariable("TELMORA_ABOUT_SHOT");
    if (!shot.isEmpty()) {
        EXPECT_TRUE(form.grab().save(shot));
    }
}

TEST_F(AboutWindow, TheWinkClosesItAndStopsTheTimer) {
    const SystemInfo info(sources);
    Tforminfo form(info, mailer, reportError, QString(), 0);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(form.lblprimoavvio->text(), QStringLiteral("Primo avvio Telmora:  "));
    ASSERT_TRUE(form.Timer1->isActive());
    click(form.Image3);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.Timer1->isActive());
    EXPECT_EQ(simlog(), QString());
}

TEST_F(AboutWindow, TheHomePageIsAskedForAndTheWindowStays) {
    const SystemInfo info(sources);
    Tforminfo form(info, mailer, reportError, QString(), 0);
    QSignalSpy pages(&form, &Tforminfo::homePageRequested);
    form.show();
    click(form.Image5);
    ASSERT_EQ(pages.count(), 1);
    EXPECT_EQ(pages.at(0).at(0).toString(), QStringLiteral("https://telmora.example/"));
    EXPECT_TRUE(form.isVisible());
}

TEST_F(AboutWindow, TheMailPictureComposesTheMailWithTheLogAndCloses) {
    reportError(QStringLiteral("Test"), QStringLiteral("una riga nel log"));
    messages.shown.clear();
    const SystemInfo info(sources);
    Tforminfo form(info, mailer, reportError, QString(), 0);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    click(form.Image2);
    EXPECT_EQ(simlog(),
              QStringLiteral("mail team@telmora.example|Telmora v 2.4|Inviare allegati|") +
                  reportError.logPath() + QLatin1Char('\n'));
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.Timer1->isActive());
}

TEST_F(AboutWindow, TheStatusBarsMailNeedsNoShownWindow) {
    const SystemInfo info(sources);
    auto* form = new Tforminfo(info, mailer, reportError, QString(), 0);
    form->MailToMaker();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->lblwin->text(), QString());  // never filled: the window was not shown
    form->close();
    delete form;
    EXPECT_EQ(simlog(), QStringLiteral("mail team@telmora.example|Telmora v 2.4||\n"));
}

TEST_F(AboutWindow, AClockThatIsNoNumberIsReportedAndTheWindowStillOpens) {
    sources.cpuinfo = data("cpuinfo-bad-mhz");
    const SystemInfo info(sources);
    Tforminfo form(info, mailer, reportError, QString(), 1);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, QStringLiteral("error"));
    EXPECT_EQ(form.lblcpu->text(),
              QStringLiteral("AuthenticAMD (AMD Ryzen 5 3600 6-Core Processor)"));
    EXPECT_EQ(form.lblarran->text(), QStringLiteral("Arresti anomali:  1"));
    EXPECT_TRUE(form.Timer1->isActive());
}

}  // namespace
}  // namespace telmora
