#pragma once
// The report of the main window's upper half: for a day, a month or a year of Internet calls
// or PC sessions, the texts of the four labels and the links they offer, plus the month and
// year lists the period selectors are filled from. No widgets: the window copies the result.

#include <QString>
#include <QStringList>

#include "uDataModule.h"

namespace telmora {

enum class Activity { Internet, Pc };
enum class PeriodKind { Day, Month, Year };

// The period tag of lblcalls, read by the call details: which selector its details are for.
enum class CallsTag { None = 0, Day = 1, Month = 2, Year = 3 };

// A label that may act as a link: a hand cursor, and the hint shown over it.
struct LabelLink {
    bool active = false;
    QString hint;
};

struct PeriodReport {
    QString lbltot;
    QString lblcalls;
    QString lblmax;  // lines separated by CR LF
    QString lblurl;
    LabelLink callsLink;  // blue text too when active
    CallsTag callsTag = CallsTag::None;
    LabelLink urlLink;
};

// The period text trimmed; a malformed day, month key or year raises Error. Checked before the
// database is touched, so that a bad text never reads as an empty period.
QString checkedPeriod(PeriodKind kind, const QString& value);

class PeriodTotals {
public:
    explicit PeriodTotals(TDataModule1& module) : module_(module) {}

    // value is the day text dd/mm/yyyy, the month key yyyy/mm or the year yyyy, blanks around it
    // ignored. A malformed value or a failing statement raises Error; nothing is returned then,
    // so a window that emptied its labels first keeps them empty.
    PeriodReport compute(Activity activity, PeriodKind kind, const QString& value);

    // Newest first, as the selectors list them.
    QStringList monthList(Activity activity);
    QStringList yearList(Activity activity);

private:
    QStringList list(Stmt stmt, const QString& column);

    TDataModule1& module_;
};

}  // namespace telmora
