#include "uChart.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include "IMessages.h"
#include "uChartView.h"
#include "uError.h"
#include "uReportError.h"

namespace telmora {
namespace {

const QString kSource = QStringLiteral("TformChart");
constexpr int kInfoWidth = 190;
constexpr int kInfoHeight = 44;
constexpr int k3DBottomMargin = 4;  // percent of the chart's height, for the turned 3D view

QFont chartFont() {
    return QFont(QStringLiteral("Tahoma"), 8);
}

void paintList(QComboBox* combo, const QColor& colour) {
    QPalette palette = combo->palette();
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Button, colour);
    combo->setPalette(palette);
}

QCheckBox* checkBox(const QString& caption, bool checked, QLayout* layout) {
    auto* box = new QCheckBox(caption);
    box->setChecked(checked);
    layout->addWidget(box);
    return box;
}

// The hourglass while the series are read, whatever way the fill ends.
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

TformChart::TformChart(TDataModule1& module, const IClock& clock, IMessages& messages,
                       ReportError& reportError, QWidget* parent)
    : QDialog(parent),
      clock_(clock),
      messages_(messages),
      reportError_(reportError),
      chartData_(module, clock) {
    setObjectName(QStringLiteral("formChart"));
    setWindowTitle(QStringLiteral("Chart"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(chartFont());

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* panel = new QWidget;
    buildPanel(panel);
    layout->addWidget(panel);
    chartT = new ChartView;
    chartT->setObjectName(QStringLiteral("chartT"));
    chartT->setMinimumSize(320, 240);
    layout->addWidget(chartT, 1);

    memoinfo = new QLabel(chartT);
    memoinfo->setObjectName(QStringLiteral("memoinfo"));
    memoinfo->setStyleSheet(
        QStringLiteral("QLabel { background-color: #ffff80; border: 1px solid black; }"));
    memoinfo->setMouseTracking(true);
    memoinfo->installEventFilter(this);
    timerChart = new QTimer(this);
    timerChart->setObjectName(QStringLiteral("timerChart"));
    timerChart->setInterval(1000);
    connect(timerChart, &QTimer::timeout, this, &TformChart::timerChartTimer);

    connect(chartT, &ChartView::zoomed, this, &TformChart::chartTZoom);
    connect(chartT, &ChartView::zoomUndone, this, &TformChart::chartTUndoZoom);

    resize(860, 560);
    if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
    FormCreate();
}

TformChart::~TformChart() = default;

void TformChart::buildPanel(QWidget* panel) {
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(new QLabel(QStringLiteral("MESE")));
    combomese = new QComboBox;
    column->addWidget(combomese);
    column->addWidget(new QLabel(QStringLiteral("ANNO")));
    comboanno = new QComboBox;
    column->addWidget(comboanno);
    btnsalva = new QPushButton(QStringLiteral("&Salva"));
    column->addWidget(btnsalva);
    btnstampa = new QPushButton(QStringLiteral("St&ampa"));
    column->addWidget(btnstampa);

    auto* group = new QGroupBox(QStringLiteral("ATTIVITA'"));
    auto* groupLayout = new QVBoxLayout(group);
    chPC = checkBox(QStringLiteral("PC"), true, groupLayout);
    chInternet = checkBox(QStringLiteral("Internet"), true, groupLayout);
    column->addWidget(group);

    chstairs = checkBox(QStringLiteral("Stairs"), false, column);
    chetichette = checkBox(QStringLiteral("Etichette"), false, column);
    chpunti = checkBox(QStringLiteral("Punti"), false, column);
    ch3d = checkBox(QStringLiteral("3D"), false, column);
    chorto = checkBox(QStringLiteral("Ortogonale"), true, column);
    chorto->setEnabled(false);
    chlegenda = checkBox(QStringLiteral("Legenda"), true, column);

    tracklegenda = new QSlider(Qt::Horizontal);
    tracklegenda->setRange(0, 45);
    tracklegenda->setTickInterval(5);
    tracklegenda->setTickPosition(QSlider::TicksBelow);
    tracklegenda->setValue(0);
    column->addWidget(tracklegenda);
    lblzoom = new QLabel(QStringLiteral("zoom 100%"));
    column->addWidget(lblzoom);
    trackZoom = new QSlider(Qt::Horizontal);
    trackZoom->setRange(50, 150);
    trackZoom->setTickInterval(5);
    trackZoom->setPageStep(10);
    trackZoom->setTickPosition(QSlider::TicksBelow);
    trackZoom->setValue(100);
    column->addWidget(trackZoom);
    column->addStretch(1);
    panel->setFixedWidth(120);

    const QPair<QComboBox*, QString> names[] = {{combomese, QStringLiteral("combomese")},
                                                {comboanno, QStringLiteral("comboanno")}};
    for (const auto& [combo, name] : names) combo->setObjectName(name);
    btnsalva->setObjectName(QStringLiteral("btnsalva"));
    btnstampa->setObjectName(QStringLiteral("btnstampa"));
    chPC->setObjectName(QStringLiteral("chPC"));
    chInternet->setObjectName(QStringLiteral("chInternet"));
    chstairs->setObjectName(QStringLiteral("chstairs"));
    chetichette->setObjectName(QStringLiteral("chetichette"));
    chpunti->setObjectName(QStringLiteral("chpunti"));
    ch3d->setObjectName(QStringLiteral("ch3d"));
    chorto->setObjectName(QStringLiteral("chorto"));
    chlegenda->setObjectName(QStringLiteral("chlegenda"));
    tracklegenda->setObjectName(QStringLiteral("tracklegenda"));
    lblzoom->setObjectName(QStringLiteral("lblzoom"));
    trackZoom->setObjectName(QStringLiteral("trackZoom"));

    connect(btnsalva, &QPushButton::clicked, this, &TformChart::btnsalvaClick);
    connect(btnstampa, &QPushButton::clicked, this, &TformChart::btnstampaClick);
    connect(chPC, &QCheckBox::clicked, this, &TformChart::chPCClick);
    connect(chInternet, &QCheckBox::clicked, this, &TformChart::chInternetClick);
    connect(chstairs, &QCheckBox::clicked, this, &TformChart::chstairsClick);
    connect(chetichette, &QCheckBox::clicked, this, &TformChart::chetichetteClick);
    connect(chpunti, &QCheckBox::clicked, this, &TformChart::chpuntiClick);
    connect(ch3d, &QCheckBox::clicked, this, &TformChart::ch3dClick);
    connect(chorto, &QCheckBox::clicked, this, &TformChart::chortoClick);
    connect(chlegenda, &QCheckBox::clicked, this, &TformChart::chlegendaClick);
    connect(tracklegenda, &QSlider::valueChanged, this, &TformChart::tracklegendaChange);
    connect(trackZoom, &QSlider::valueChanged, this, &TformChart::trackZoomChange);
}

void TformChart::FormCreate() {
    try {
        combomese->addItems(chartData_.monthList());
        comboanno->addItems(chartData_.yearList());
    } catch (const Error& e) {
        reportError_(e);
    }
    combomese->setCurrentIndex(-1);
    comboanno->setCurrentIndex(-1);
    connect(combomese, &QComboBox::currentIndexChanged, this, &TformChart::combomeseChange);
    connect(comboanno, &QComboBox::currentIndexChanged, this, &TformChart::comboannoChange);

    memoinfo->setText(
        QStringLiteral(" MOUSE DX = SCROLL\n MOUSE SX GIU'/DX = ZOOM IN\n"
                       " MOUSE SX SU/SX = ZOOM OUT"));
    memoinfo->setGeometry(0, kInfoHiddenTop, kInfoWidth, kInfoHeight);
    memoinfo->raise();
}

void TformChart::combomeseChange() {
    if (combomese->currentIndex() < 0) return;
    paintList(comboanno, Qt::white);
    paintList(combomese, Qt::red);
    FillChart(combomese);
}

void TformChart::comboannoChange() {
    if (comboanno->currentIndex() < 0) return;
    paintList(combomese, Qt::white);
    paintList(comboanno, Qt::red);
    FillChart(comboanno);
}

// Both series are built afresh with the options as they stand; a statement that fails leaves
// the series built so far on the chart.
void TformChart::FillChart(QObject* origin) {
    BusyCursor busy;
    chartT->clearSeries();
    try {
        const ChartPeriod period = origin == combomese
                                       ? chartData_.monthPeriod(combomese->currentText())
                                       : chartData_.yearPeriod(comboanno->currentText());
        addUsageSeries(*chartT, chartData_, period, chPC->isChecked(), chInternet->isChecked());
    } catch (const Error& e) {
        reportError_(e);
    }
    if (trackZoom->value() != 100 && chartT->seriesCount() > 0) {
        zoomGuard_ = true;
        chartT->zoomPercent(trackZoom->value());
        zoomGuard_ = false;
    }
}

void TformChart::chPCClick() {
    chartT->setSeriesVisible(0, chPC->isChecked());
}

void TformChart::chInternetClick() {
    chartT->setSeriesVisible(1, chInternet->isChecked());
}

void TformChart::chstairsClick() {
    chartT->setStairs(chstairs->isChecked());
}

void TformChart::chetichetteClick() {
    chartT->setMarksVisible(chetichette->isChecked());
}

void TformChart::chpuntiClick() {
    chartT->setPointsVisible(chpunti->isChecked());
}

void TformChart::ch3dClick() {
    const bool on = ch3d->isChecked();
    chartT->setView3D(on);
    chorto->setEnabled(on);
    if (!on) {
        chartT->setBottomMarginPercent(0);
    } else if (!chorto->isChecked()) {
        chartT->setBottomMarginPercent(k3DBottomMargin);
    }
}

void TformChart::chortoClick() {
    const bool on = chorto->isChecked();
    chartT->setOrthogonal(on);
    chartT->setBottomMarginPercent(on ? 0 : k3DBottomMargin);
}

void TformChart::chlegendaClick() {
    chartT->setLegendVisible(chlegenda->isChecked());
}

void TformChart::tracklegendaChange() {
    chartT->setLegendOffset(tracklegenda->value());
}

void TformChart::trackZoomChange() {
    lblzoom->setText(QStringLiteral("zoom %1%").arg(trackZoom->value()));
    if (zoomGuard_) return;
    zoomGuard_ = true;
    chartT->undoZoom();
    chartT->zoomPercent(trackZoom->value());
    zoomGuard_ = false;
}

void TformChart::moveZoomSlider(int value) {
    if (zoomGuard_) return;
    zoomGuard_ = true;
    trackZoom->setValue(value);
    zoomGuard_ = false;
}

void TformChart::chartTZoom() {
    moveZoomSlider(trackZoom->maximum());
}

void TformChart::chartTUndoZoom() {
    moveZoomSlider(100);
}

QString TformChart::proposedFileName() const {
    QString today = dayText(clock_.now());
    today.replace(QLatin1Char('/'), QLatin1Char('-'));
    return QStringLiteral("Grafico lineare ") + chartT->footText().trimmed() +
           QStringLiteral(" del ") + today;
}

void TformChart::btnsalvaClick() {
    if (chartT->seriesCount() == 0) return;
    const std::optional<QString> chosen =
        messages_.chooseSaveFile(QStringLiteral("Salva grafico"), QStringLiteral("Bitmap (*.bmp)"),
                                 proposedFileName(), QStringLiteral("bmp"));
    if (!chosen) return;
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".bmp");
    const QImage image = chartT->toPixmap(chartT->width(), chartT->height()).toImage();
    if (!image.save(path, "BMP")) {
        reportError_(kSource,
                     QStringLiteral("Impossibile salvare il grafico nel file \"%1\"").arg(path));
    }
}

void TformChart::btnstampaClick() {
    if (chartT->seriesCount() == 0) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) {
        QCPPainter painter(target);
        const QRectF page = target->pageRect(QPrinter::DevicePixel);
        const double scale =
            std::min(page.width() / chartT->width(), page.height() / chartT->height());
        painter.setMode(QCPPainter::pmVectorized);
        painter.setMode(QCPPainter::pmNoCaching);
        painter.scale(scale, scale);
        chartT->toPainter(&painter, chartT->width(), chartT->height());
    });
    preview.exec();
    chartT->replot();
}

bool TformChart::eventFilter(QObject* watched, QEvent* event) {
    if (watched == memoinfo && event->type() == QEvent::MouseMove) memoinfoMouseMove();
    return QDialog::eventFilter(watched, event);
}

void TformChart::memoinfoMouseMove() {
    if (timerChart->isActive()) return;
    memoinfo->move(0, kInfoShownTop);
    timerChart->start();
}

void TformChart::timerChartTimer() {
    if (memoinfo->rect().contains(memoinfo->mapFromGlobal(QCursor::pos()))) return;
    memoinfo->move(0, kInfoHiddenTop);
    timerChart->stop();
}

void TformChart::closeEvent(QCloseEvent* event) {
    timerChart->stop();
    chartT->clearSeries();
    QDialog::closeEvent(event);
}

}  // namespace telmora
