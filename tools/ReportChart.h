#pragma once
// The usage chart of a month or a year drawn without a window into a bitmap file, with both
// series and the chart window's default options. Needs a QApplication.

#include <QSize>
#include <QString>

#include "IClock.h"
#include "uDataModule.h"
#include "uPeriodTotals.h"

namespace telmora::report {

// The size of the image: about the chart's own size in the window as it opens.
inline constexpr QSize kChartSize(720, 540);

// The image format for the file's extension (.bmp or .png, any case); a different one raises
// Error. Checked before the database is touched.
const char* chartFormat(const QString& file);

// kind is Month (value yyyy/mm) or Year (value yyyy). A malformed period, a failing statement
// or a file that cannot be written raises Error.
void writeChart(TDataModule1& module, const IClock& clock, PeriodKind kind, const QString& value,
                const QString& file);

}  // namespace telmora::report
