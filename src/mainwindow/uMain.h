#pragma once
// The main window: hidden at start, shown from the tray icon. It holds the clock line, the
// period selectors, the identity lines, the totals panel and the status bar. It shows the
// session it is given and asks for everything beyond itself through signals: it never creates
// another window.

#include <QMainWindow>

#include "IMessages.h"
#include "uConnectionCommands.h"
#include "uMainSession.h"
#include "uPeriodTotals.h"

class QAction;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QMenu;
class QRadioButton;

namespace telmora {

class StatusBar1;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    TMainForm(MainSession& session, Platform& platform, TDataModule1& dataModule,
              ReportError& reportError, IMessages& messages, QWidget* parent = nullptr);
    ~TMainForm() override;

    StatusBar1& sb1() { return *sb1_; }

    // A menu item by its name, for the composition root that wires the on-demand windows.
    QAction* menuItem(const QString& name) const;

    // Tray operations.
    void ShowMainWindow();
    void HideMainWindow();

    // Menu and tray handlers.
    void sb1Click();
    void Lasciaattivo1Click();
    void Disattiva1Click();

    // Period totals of the upper half.
    void datgiornoChange();
    void combomeseChange();
    void comboannoChange();
    void ShowPeriodTotals(QObject* sender);
    void FillPeriodLists();
    void rgClick();
    // The period tag of lblcalls: 0 none, 1 day, 2 month, 3 year.
    int lblcallsTag() const { return lblcallsTag_; }
    int rgIndex() const;

    // What the session tells.
    void setDayPicker(DateTime day);
    void showOptions(const Options& options);
    void setClockLine(const QString& text);
    void setIdentityLines(const QString& connection, const QString& device, const QString& ip);
    void repaintStatusBar();

    // Controls, named as the rest of the program knows them.
    QLabel* lbltop = nullptr;
    QDateEdit* datgiorno = nullptr;
    QComboBox* combomese = nullptr;
    QComboBox* comboanno = nullptr;
    QGroupBox* rg = nullptr;
    QRadioButton* rgInternet = nullptr;
    QRadioButton* rgPc = nullptr;
    QLabel* lblconnessione = nullptr;
    QLabel* lbldevice = nullptr;
    QLabel* lblip = nullptr;
    QLabel* lbltot = nullptr;
    QLabel* lblcalls = nullptr;
    QLabel* lblmax = nullptr;
    QLabel* lblurl = nullptr;

    QMenu* PopupMenu1 = nullptr;
    QAction* Chiudi1 = nullptr;
    QAction* Lasciaattivo1 = nullptr;
    QAction* mnutelmora = nullptr;
    QAction* tracciaweb = nullptr;
    QAction* Disattiva1 = nullptr;

signals:
    // The tray's "Chiudi" and the deactivation: the program is asked to end.
    void exitRequested();
    // The tray's "Telmora" and the icon's activation: the window is asked to show.
    void showRequested();
    // A click on the calls label of a report: its calls in the call details window.
    void callsRequested(telmora::CallsTag tag, const QString& period);
    // A click on the pages label of an Internet day report: that day's pages.
    void dayPagesRequested(const QString& dayText);
    // The credit panel of the status bar: the mail to the maker.
    void mailToMakerRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildWindow();
    void paintSelectors(QWidget* red);
    void clearTotals();
    void buildMainMenu();
    void buildTrayMenu();
    void fitAndCentre();
    void connectSession();

    MainSession& session_;
    Platform& platform_;
    ReportError& reportError_;
    IMessages& messages_;
    ConnectionCommands commands_;
    PeriodTotals totals_;
    int lblcallsTag_ = 0;
    // The period of the report on show and whether its pages label links to its day.
    QString reportPeriod_;
    bool urlLinkActive_ = false;
    StatusBar1* sb1_ = nullptr;
};

}  // namespace telmora
