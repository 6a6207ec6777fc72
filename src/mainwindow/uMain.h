#pragma once
// The main window: hidden at start, shown from the tray icon. It holds the clock line, the
// period selectors, the identity lines, the totals panel and the status bar; the logic behind
// it lives in MainSession.

#include <QMainWindow>
#include <memory>

#include "IMainView.h"
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
class TrayIcon;

class TMainForm : public QMainWindow, public IMainView {
    Q_OBJECT
public:
    TMainForm(Platform& platform, TDataModule1& dataModule, const SessionPaths& paths,
              ReportError& reportError, IMessages& messages, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The creation steps; then the window stays hidden unless there is no notification area.
    void FormCreate();

    MainSession& session() { return *session_; }
    TrayIcon& trayIcon() { return *tray_; }
    StatusBar1& sb1() { return *sb1_; }

    // Tray operations.
    void ShowMainWindow();
    void HideMainWindow();

    // Menu and tray handlers.
    void sb1Click();
    void Chiudi1Click();
    void Lasciaattivo1Click();
    void mnutelmoraClick();
    void TrayIcon1DblClick() { mnutelmoraClick(); }
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

    // IMainView
    void closeWindow() override;
    void terminate() override;
    void setDayPicker(DateTime day) override;
    void setupHints() override;
    void showOptions(const Options& options) override;
    void useNewTrayBehaviour() override;
    void setClockLine(const QString& text) override;
    void setIdentityLines(const QString& connection, const QString& device,
                          const QString& ip) override;
    void repaintStatusBar() override;

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

    int rgIndex() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildWindow();
    void paintSelectors(QWidget* red);
    void clearTotals();
    void buildMainMenu();
    void buildTrayMenu();
    void fitAndCentre();
    bool passwordProtected() const;

    Platform& platform_;
    TDataModule1& data_;
    ReportError& reportError_;
    IMessages& messages_;
    ConnectionCommands commands_;
    PeriodTotals totals_;
    int lblcallsTag_ = 0;
    StatusBar1* sb1_ = nullptr;
    TrayIcon* tray_ = nullptr;
    std::unique_ptr<ITrayNotices> trayNotices_;
    std::unique_ptr<MainSession> session_;
};

}  // namespace telmora
