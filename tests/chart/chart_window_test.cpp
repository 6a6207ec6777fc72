#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QMouseEvent>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>
#include <memory>

#include "QtPrinters.h"
#include "ScriptedMessages.h"
#include "reports/FixedClock.h"
#include "reports/ReportsFixture.h"
#include "uChart.h"
#include "uChartView.h"
#include "uReportError.h"

namespace telmora {
namespace {

DateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return encodeDateTime(y, mo, d, h, mi, s);
}

void sendMouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button, QPoint pos) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, QPointF(pos), widget->mapToGlobal(QPointF(pos)),
                      type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// March 2004 up to the 15th (today) with a PC session and a call every day, the 2nd holding the
// 0.59.40 + 0.00.30 pair and the 4th a call of 1234 minutes; February and 2003 for the lists.
class ChartWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        db_ = std::make_unique<test::ReportsDatabase>();
        test::ReportsDatabase& db = *db_;
        for (int d = 1; d <= 15; ++d) {
            if (d == 2) continue;
            db.addPcSession(at(2004, 3, d, 8), at(2004, 3, d, 9 + d % 5, (d * 7) % 60));
            if (d != 4) {
                db.addCall(at(2004, 3, d, 9), at(2004, 3, d, 9 + d % 3, (d * 11) % 60),
                           QStringLiteral("Casa"));
            }
        }
        db.addPcSession(at(2004, 3, 2, 8), at(2004, 3, 2, 8, 59, 40));
        db.addPcSession(at(2004, 3, 2, 10), at(2004, 3, 2, 10, 0, 30));
        db.addCall(at(2004, 3, 4, 1), at(2004, 3, 4, 21, 34), QStringLiteral("Lunga"));
        db.addPcSession(at(2004, 2, 10, 8), at(2004, 2, 10, 12));
        db.addPcSession(at(2003, 6, 10, 8), at(2003, 6, 10, 12));
    }
    static void TearDownTestSuite() { db_.reset(); }

    void SetUp() override {
        window_ = std::make_unique<TformChart>(db_->module(), clock_, messages_, errors_);
        window_->show();
        QApplication::processEvents();
    }

    TformChart& w() { return *window_; }
    ChartView& chart() { return *window_->chartT; }

    void pickMonth(const QString& key) {
        const int index = w().combomese->findText(key);
        ASSERT_GE(index, 0);
        w().combomese->setCurrentIndex(index);
    }
    void pickYear(const QString& year) {
        const int index = w().comboanno->findText(year);
        ASSERT_GE(index, 0);
        w().comboanno->setCurrentIndex(index);
    }
    // A drag with the left button from one point of the chart to another.
    void drag(QPoint from, QPoint to) {
        sendMouse(&chart(), QEvent::MouseButtonPress, Qt::LeftButton, from);
        sendMouse(&chart(), QEvent::MouseMove, Qt::LeftButton, to);
        sendMouse(&chart(), QEvent::MouseButtonRelease, Qt::LeftButton, to);
    }

    static std::unique_ptr<test::ReportsDatabase> db_;
    test::FixedClock clock_;
    ScriptedMessages messages_;
    QTemporaryDir logDir_;
    ReportError errors_{logDir_.filePath(QStringLiteral("telmora.log")), clock_, messages_};
    std::unique_ptr<TformChart> window_;
};
std::unique_ptr<test::ReportsDatabase> ChartWindowTest::db_;

TEST_F(ChartWindowTest, OpensEmptyWithEveryControlAtItsDefault) {
    EXPECT_EQ(w().windowTitle(), QStringLiteral("Chart"));
    EXPECT_EQ(w().combomese->count(), 3);
    EXPECT_EQ(w().combomese->itemText(0), QStringLiteral("2004/03"));
    EXPECT_EQ(w().combomese->itemText(2), QStringLiteral("2003/06"));
    EXPECT_EQ(w().comboanno->itemText(0), QStringLiteral("2004"));
    EXPECT_EQ(w().comboanno->itemText(1), QStringLiteral("2003"));
    EXPECT_EQ(w().combomese->currentIndex(), -1);
    EXPECT_EQ(w().comboanno->currentIndex(), -1);
    EXPECT_EQ(chart().seriesCount(), 0);

    const struct {
        QCheckBox* box;
        const char* caption;
        bool checked;
        bool enabled;
    } boxes[] = {
        {w().chPC, "PC", true, true},
        {w().chInternet, "Internet", true, true},
        {w().chstairs, "Stairs", false, true},
        {w().chetichette, "Etichette", false, true},
        {w().chpunti, "Punti", false, true},
        {w().ch3d, "3D", false, true},
        {w().chorto, "Ortogonale", true, false},
        {w().chlegenda, "Legenda", true, true},
    };
    for (const auto& b : boxes) {
        EXPECT_EQ(b.box->text(), QString::fromUtf8(b.caption));
        EXPECT_EQ(b.box->isChecked(), b.checked) << b.caption;
        EXPECT_EQ(b.box->isEnabled(), b.enabled) << b.caption;
    }
    EXPECT_EQ(w().btnsalva->text(), QStringLiteral("&Salva"));
    EXPECT_EQ(w().btnstampa->text(), QStringLiteral("St&ampa"));
    EXPECT_EQ(w().tracklegenda->minimum(), 0);
    EXPECT_EQ(w().tracklegenda->maximum(), 45);
    EXPECT_EQ(w().tracklegenda->value(), 0);
    EXPECT_EQ(w().tracklegenda->tickInterval(), 5);
    EXPECT_EQ(w().trackZoom->minimum(), 50);
    EXPECT_EQ(w().trackZoom->maximum(), 150);
    EXPECT_EQ(w().trackZoom->value(), 100);
    EXPECT_EQ(w().trackZoom->tickInterval(), 5);
    EXPECT_EQ(w().trackZoom->pageStep(), 10);
    EXPECT_EQ(w().lblzoom->text(), QStringLiteral("zoom 100%"));
    EXPECT_EQ(chart().yAxis->label(), QStringLiteral("TEMPO (min)"));
    EXPECT_EQ(w().memoinfo->geometry().top(), TformChart::kInfoHiddenTop);
    EXPECT_EQ(w().memoinfo->height(), 44);
    EXPECT_FALSE(w().timerChart->isActive());
    EXPECT_EQ(w().timerChart->interval(), 1000);

    // Nothing to save or print before a pick: no chooser, no preview.
    bool previewShown = false;
    QTimer::singleShot(200, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            previewShown = true;
            modal->close();
        }
    });
    w().btnsalva->click();
    w().btnstampa->click();
    wait(300);
    EXPECT_FALSE(previewShown);
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(ChartWindowTest, AMonthChartsEachDayUpToTodayAndAYearEachMonth) {
    pickMonth(QStringLiteral("2004/03"));
    ASSERT_EQ(chart().seriesCount(), 2);
    EXPECT_EQ(w().combomese->palette().color(QPalette::Button), QColor(Qt::red));
    EXPECT_EQ(w().comboanno->palette().color(QPalette::Button), QColor(Qt::white));
    QCPGraph* pc = chart().seriesGraph(0);
    QCPGraph* internet = chart().seriesGraph(1);
    EXPECT_EQ(pc->name(), QStringLiteral("ATTIVITA' PC"));
    EXPECT_EQ(internet->name(), QStringLiteral("ATTIVITA' INTERNET"));
    EXPECT_EQ(pc->pen().color(), QColor(Qt::blue));
    EXPECT_EQ(internet->pen().color(), QColor(Qt::red));
    EXPECT_EQ(chart().markColour(0), QColor(Qt::yellow));
    EXPECT_EQ(chart().markColour(1), QColor(Qt::black));
    ASSERT_EQ(pc->data()->size(), 31);
    EXPECT_EQ(pc->data()->at(1)->value, 60);             // 0.59.40 + 0.00.30
    EXPECT_TRUE(std::isnan(pc->data()->at(15)->value));  // tomorrow
    EXPECT_EQ(internet->data()->at(3)->value, 1234);
    EXPECT_EQ(chart().markText(1, 3), QStringLiteral("20.34"));  // rendered "1.234"
    EXPECT_EQ(chart().markText(0, 1), QStringLiteral("1.00"));
    EXPECT_EQ(chart().markText(1, 1), QString());   // no call on the 2nd
    EXPECT_EQ(chart().markText(0, 20), QString());  // a null point
    EXPECT_EQ(chart().footText(), QStringLiteral("\nMAR 2004"));
    EXPECT_EQ(chart().labelStep(), 30);
    auto ticker = chart().xAxis->ticker().dynamicCast<QCPAxisTickerText>();
    ASSERT_TRUE(ticker);
    EXPECT_EQ(ticker->ticks().value(0), QStringLiteral("1\nLU"));
    EXPECT_EQ(ticker->ticks().value(30), QStringLiteral("31\nME"));
    EXPECT_TRUE(chart().legend->visible());

    pickYear(QStringLiteral("2004"));
    ASSERT_EQ(chart().seriesCount(), 2);
    EXPECT_EQ(w().combomese->palette().color(QPalette::Button), QColor(Qt::white));
    EXPECT_EQ(w().comboanno->palette().color(QPalette::Button), QColor(Qt::red));
    pc = chart().seriesGraph(0);
    ASSERT_EQ(pc->data()->size(), 12);
    EXPECT_EQ(pc->data()->at(1)->value, 240);
    EXPECT_TRUE(std::isnan(pc->data()->at(3)->value));  // April: after the current month
    EXPECT_EQ(chart().footText(), QStringLiteral("2004"));
    EXPECT_EQ(chart().labelStep(), 60);
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(ChartWindowTest, OptionsApplyToTheSeriesAndToLaterPicks) {
    w().chstairs->click();  // before any series: kept for the first pick
    pickMonth(QStringLiteral("2004/03"));
    EXPECT_EQ(chart().seriesGraph(0)->lineStyle(), QCPGraph::lsStepLeft);
    EXPECT_EQ(chart().seriesGraph(1)->lineStyle(), QCPGraph::lsStepLeft);

    struct Case {
        QCheckBox* box;
        std::function<bool()> state;
    };
    const Case cases[] = {
        {w().chPC, [&] { return chart().seriesGraph(0)->visible(); }},
        {w().chInternet, [&] { return chart().seriesGraph(1)->visible(); }},
        {w().chstairs, [&] { return chart().seriesGraph(1)->lineStyle() == QCPGraph::lsStepLeft; }},
        {w().chetichette, [&] { return chart().marksVisible(); }},
        {w().chpunti,
         [&] {
             const QCPScatterStyle s = chart().seriesGraph(0)->scatterStyle();
             return s.shape() == QCPScatterStyle::ssSquare && s.size() == 2;
         }},
        {w().chlegenda, [&] { return chart().legend->visible(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box->text().toStdString());
        EXPECT_EQ(c.state(), c.box->isChecked());
        c.box->click();
        EXPECT_EQ(c.state(), c.box->isChecked());
        c.box->click();
        EXPECT_EQ(c.state(), c.box->isChecked());
    }

    // A later pick keeps the options: markers on, Internet hidden.
    w().chpunti->click();
    w().chInternet->click();
    pickYear(QStringLiteral("2004"));
    EXPECT_EQ(chart().seriesGraph(0)->scatterStyle().shape(), QCPScatterStyle::ssSquare);
    EXPECT_FALSE(chart().seriesGraph(1)->visible());
    EXPECT_TRUE(chart().seriesGraph(0)->visible());

    // The legend slides right from the centre.
    chart().replot();
    const int centred = chart().legend->outerRect().left();
    w().tracklegenda->setValue(45);
    chart().replot();
    EXPECT_EQ(chart().legendOffset(), 45);
    EXPECT_GT(chart().legend->outerRect().left(), centred);
    EXPECT_LE(chart().legend->outerRect().right(), chart().width());
}

TEST_F(ChartWindowTest, ThreeDEnablesOrtogonaleAndSetsTheBottomMargin) {
    pickMonth(QStringLiteral("2004/03"));
    const QImage flat = chart().grab().toImage();

    w().ch3d->click();
    EXPECT_TRUE(chart().view3D());
    EXPECT_TRUE(w().chorto->isEnabled());
    EXPECT_TRUE(chart().orthogonal());
    EXPECT_EQ(chart().bottomMarginPercent(), 0);  // orthogonal: unchanged
    EXPECT_GT(chart().depthPixels(), 0);
    const QImage oblique = chart().grab().toImage();
    EXPECT_NE(oblique, flat);

    w().chorto->click();
    EXPECT_FALSE(chart().orthogonal());
    EXPECT_EQ(chart().bottomMarginPercent(), 4);
    EXPECT_NE(chart().grab().toImage(), oblique);

    w().ch3d->click();  // off: margin 0, Ortogonale disabled but still unchecked
    EXPECT_FALSE(chart().view3D());
    EXPECT_EQ(chart().bottomMarginPercent(), 0);
    EXPECT_FALSE(w().chorto->isEnabled());
    EXPECT_FALSE(w().chorto->isChecked());
    EXPECT_EQ(chart().depthPixels(), 0);

    w().ch3d->click();  // on again with Ortogonale unchecked
    EXPECT_EQ(chart().bottomMarginPercent(), 4);
    w().chorto->click();
    EXPECT_EQ(chart().bottomMarginPercent(), 0);
}

TEST_F(ChartWindowTest, ZoomSliderAndMouseZoomFollowEachOther) {
    pickMonth(QStringLiteral("2004/03"));
    const QCPRange fullX = chart().xAxis->range();
    const QCPRange fullY = chart().yAxis->range();
    EXPECT_DOUBLE_EQ(fullX.lower, -0.5);
    EXPECT_DOUBLE_EQ(fullX.upper, 30.5);

    w().trackZoom->setValue(120);
    EXPECT_EQ(w().lblzoom->text(), QStringLiteral("zoom 120%"));
    EXPECT_NEAR(chart().xAxis->range().lower, -0.5 + 31 * 0.2, 1e-9);
    EXPECT_NEAR(chart().xAxis->range().upper, 30.5 - 31 * 0.2, 1e-9);
    w().trackZoom->setValue(50);
    EXPECT_NEAR(chart().xAxis->range().size(), 62, 1e-9);
    EXPECT_NEAR(chart().yAxis->range().size(), fullY.size() * 2, 1e-9);
    w().trackZoom->setValue(150);  // never an empty range
    EXPECT_GT(chart().xAxis->range().size(), 0.05 * fullX.size());
    EXPECT_GT(chart().yAxis->range().size(), 0.05 * fullY.size());
    w().trackZoom->setValue(100);
    EXPECT_EQ(chart().xAxis->range(), fullX);

    // A drag down and right zooms into the rectangle; the slider goes to 150 without zooming.
    const QRect area = chart().axisRect()->rect();
    const QPoint from = area.topLeft() + QPoint(20, 20);
    const QPoint to = area.center();
    drag(from, to);
    EXPECT_EQ(w().trackZoom->value(), 150);
    EXPECT_EQ(w().lblzoom->text(), QStringLiteral("zoom 150%"));
    const double zoomedSpan = chart().xAxis->range().size();
    EXPECT_LT(zoomedSpan, fullX.size() * 0.6);
    EXPECT_GT(zoomedSpan, fullX.size() * 0.2);  // the rectangle, not the slider's 150 %

    // Scrolling with the right button moves the range without changing its span.
    const double before = chart().xAxis->range().lower;
    sendMouse(&chart(), QEvent::MouseButtonPress, Qt::RightButton, to);
    sendMouse(&chart(), QEvent::MouseMove, Qt::RightButton, to - QPoint(60, 0));
    sendMouse(&chart(), QEvent::MouseButtonRelease, Qt::RightButton, to - QPoint(60, 0));
    EXPECT_GT(chart().xAxis->range().lower, before);
    EXPECT_NEAR(chart().xAxis->range().size(), zoomedSpan, 1e-9);

    // A drag up or left undoes the zoom; the slider goes back to 100.
    drag(to, from);
    EXPECT_EQ(w().trackZoom->value(), 100);
    EXPECT_EQ(w().lblzoom->text(), QStringLiteral("zoom 100%"));
    EXPECT_EQ(chart().xAxis->range(), fullX);
}

TEST_F(ChartWindowTest, SaveWritesTheChartAsABitmapOfItsOnScreenSize) {
    pickMonth(QStringLiteral("2004/03"));
    QTemporaryDir out;
    const QString base = out.filePath(QStringLiteral("grafico"));
    messages_.saveFiles = {std::nullopt, base};

    w().btnsalva->click();  // cancelled: nothing written
    EXPECT_TRUE(QDir(out.path()).isEmpty());

    w().btnsalva->click();
    ASSERT_EQ(messages_.proposedNames.size(), 2u);
    EXPECT_EQ(messages_.proposedNames[0],
              QStringLiteral("Grafico lineare MAR 2004 del 15-03-2004"));
    ASSERT_FALSE(messages_.shown.empty());
    EXPECT_EQ(messages_.shown.back().kind, QStringLiteral("save"));
    EXPECT_EQ(messages_.shown.back().text, QStringLiteral("Salva grafico|Bitmap (*.bmp)|bmp"));

    QImageReader reader(base + QStringLiteral(".bmp"));
    EXPECT_EQ(reader.format(), QByteArray("bmp"));
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), chart().size());
    EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() - 1), QColor(Qt::white));

    // A folder that cannot be written: a clear error, not silence.
    messages_.saveFiles = {out.filePath(QStringLiteral("manca/grafico.bmp"))};
    w().btnsalva->click();
    ASSERT_FALSE(messages_.shown.empty());
    EXPECT_EQ(messages_.shown.back().kind, QStringLiteral("error"));
    EXPECT_TRUE(messages_.shown.back().text.contains(QStringLiteral("Impossibile salvare")));
}

TEST_F(ChartWindowTest, PrintOpensThePreviewOwnedByTheWindow) {
    pickYear(QStringLiteral("2004"));
    bool preview = false;
    QWidget* owner = nullptr;
    QTimer::singleShot(300, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            preview = qobject_cast<QPrintPreviewDialog*>(modal) != nullptr;
            owner = modal->parentWidget();
            modal->close();
        }
    });
    w().btnstampa->click();
    EXPECT_TRUE(preview);
    EXPECT_EQ(owner, &w());
}

TEST_F(ChartWindowTest, InfoBoxComesOutOnMouseOverAndGoesBackWhenLeft) {
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 41), w().memoinfo->mapToGlobal(QPointF(5, 41)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCursor::setPos(w().memoinfo->mapToGlobal(QPoint(5, 41)));
    QApplication::sendEvent(w().memoinfo, &move);
    EXPECT_EQ(w().memoinfo->geometry().top(), TformChart::kInfoShownTop);
    EXPECT_TRUE(w().timerChart->isActive());
    EXPECT_TRUE(w().memoinfo->text().startsWith(QStringLiteral(" MOUSE DX = SCROLL\n")));

    w().timerChartTimer();  // the pointer is still over it
    EXPECT_EQ(w().memoinfo->geometry().top(), TformChart::kInfoShownTop);

    QCursor::setPos(w().mapToGlobal(QPoint(w().width() - 5, w().height() - 5)));
    w().timerChartTimer();
    EXPECT_EQ(w().memoinfo->geometry().top(), TformChart::kInfoHiddenTop);
    EXPECT_FALSE(w().timerChart->isActive());
}

// With TELMORA_CHART_SHOT=folder, leaves pictures of the window (2D and 3D) there.
TEST_F(ChartWindowTest, Screenshots) {
    const QString folder = qEnvironmentVariable("TELMORA_CHART_SHOT");
    if (folder.isEmpty()) GTEST_SKIP() << "TELMORA_CHART_SHOT not set";
    pickMonth(QStringLiteral("2004/03"));
    w().chetichette->click();
    w().chpunti->click();
    EXPECT_TRUE(w().grab().save(folder + QStringLiteral("/chart.png")));
    w().ch3d->click();
    EXPECT_TRUE(w().grab().save(folder + QStringLiteral("/chart-3d.png")));
    w().chorto->click();
    EXPECT_TRUE(w().grab().save(folder + QStringLiteral("/chart-3d-turned.png")));
}

}  // namespace
}  // namespace telmora
