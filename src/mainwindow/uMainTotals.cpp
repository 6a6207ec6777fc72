// The period totals of the upper half: the selectors, the lists and the totals panel.

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QLabel>
#include <QRadioButton>

#include "uMain.h"

namespace telmora {

int TMainForm::rgIndex() const {
    return rgPc->isChecked() ? 1 : (rgInternet->isChecked() ? 0 : -1);
}

namespace {

void setBase(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, colour);
    p.setColor(QPalette::Button, colour);
    w->setPalette(p);
}

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

// Waits with the busy pointer; the error handler puts the normal one back on failure too.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

void TMainForm::paintSelectors(QWidget* red) {
    for (QWidget* w : std::initializer_list<QWidget*>{datgiorno, combomese, comboanno}) {
        setBase(w, w == red ? QColor(Qt::red) : QColor(Qt::white));
    }
}

void TMainForm::datgiornoChange() {
    paintSelectors(datgiorno);
    ShowPeriodTotals(datgiorno);
}

void TMainForm::combomeseChange() {
    paintSelectors(combomese);
    ShowPeriodTotals(combomese);
}

void TMainForm::comboannoChange() {
    paintSelectors(comboanno);
    ShowPeriodTotals(comboanno);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == lblcalls && lblcallsTag_ != 0) {
            emit callsRequested(static_cast<CallsTag>(lblcallsTag_), reportPeriod_);
        } else if (watched == lblurl && urlLinkActive_ && !lblurl->text().isEmpty()) {
            emit dayPagesRequested(reportPeriod_);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::clearTotals() {
    for (QLabel* l : {lbltot, lblcalls, lblmax, lblurl}) l->clear();
    lblurl->setToolTip(QString());
    lblurl->unsetCursor();
    urlLinkActive_ = false;
}

void TMainForm::ShowPeriodTotals(QObject* sender) {
    clearTotals();
    setTextColour(lblcalls, Qt::black);
    lblcalls->setToolTip(QString());
    lblcalls->unsetCursor();
    lblcallsTag_ = 0;
    const int index = rgIndex();
    if (index != 0 && index != 1) return;
    PeriodKind kind;
    QString value;
    if (sender == datgiorno) {
        kind = PeriodKind::Day;
        value = dayText(fromQDateTime(datgiorno->date().startOfDay()));
    } else if (sender == combomese) {
        kind = PeriodKind::Month;
        value = combomese->currentText().trimmed();
    } else if (sender == comboanno) {
        kind = PeriodKind::Year;
        value = comboanno->currentText().trimmed();
    } else {
        return;
    }
    PeriodReport report;
    try {
        WaitCursor wait;
        report = totals_.compute(index == 0 ? Activity::Internet : Activity::Pc, kind, value);
    } catch (const Error& e) {
        reportError_(e);
        return;
    }
    lbltot->setText(report.lbltot);
    lblcalls->setText(report.lblcalls);
    lblmax->setText(report.lblmax);
    lblurl->setText(report.lblurl);
    lblcallsTag_ = static_cast<int>(report.callsTag);
    reportPeriod_ = value;
    urlLinkActive_ = report.urlLink.active;
    if (report.callsLink.active) {
        setTextColour(lblcalls, Qt::blue);
        lblcalls->setToolTip(report.callsLink.hint);
        lblcalls->setCursor(Qt::PointingHandCursor);
    }
    if (report.urlLink.active) {
        lblurl->setToolTip(report.urlLink.hint);
        lblurl->setCursor(Qt::PointingHandCursor);
    }
}

void TMainForm::FillPeriodLists() {
    combomese->clear();
    comboanno->clear();
    const Activity activity = rgIndex() == 1 ? Activity::Pc : Activity::Internet;
    try {
        WaitCursor wait;
        combomese->addItems(totals_.monthList(activity));
        comboanno->addItems(totals_.yearList(activity));
    } catch (const Error& e) {
        reportError_(e);
    }
    combomese->setCurrentIndex(-1);
    comboanno->setCurrentIndex(-1);
}

void TMainForm::rgClick() {
    clearTotals();
    paintSelectors(nullptr);
    FillPeriodLists();
}

}  // namespace telmora
