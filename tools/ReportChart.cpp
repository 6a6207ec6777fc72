#include "ReportChart.h"

#include <QFileInfo>
#include <QImage>

#include "uChartData.h"
#include "uChartView.h"
#include "uError.h"

namespace telmora::report {
namespace {

const QString kSource = QStringLiteral("telmora-report");

}  // namespace

const char* chartFormat(const QString& file) {
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix == QLatin1String("bmp")) return "BMP";
    if (suffix == QLatin1String("png")) return "PNG";
    throw Error(kSource,
                QStringLiteral("Formato del grafico non riconosciuto: \"%1\" (atteso .bmp o .png)")
                    .arg(file));
}

void writeChart(TDataModule1& module, const IClock& clock, PeriodKind kind, const QString& value,
                const QString& file) {
    const char* format = chartFormat(file);
    ChartData data(module, clock);
    const ChartPeriod period =
        kind == PeriodKind::Year ? data.yearPeriod(value) : data.monthPeriod(value);
    ChartView view;
    view.resize(kChartSize);
    addUsageSeries(view, data, period, true, true);
    const QImage image = view.toPixmap(kChartSize.width(), kChartSize.height()).toImage();
    if (!image.save(file, format)) {
        throw Error(kSource,
                    QStringLiteral("Impossibile salvare il grafico nel file \"%1\"").arg(file));
    }
}

}  // namespace telmora::report
