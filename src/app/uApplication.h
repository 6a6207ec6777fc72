#pragma once
// The composition root: builds the data module, the error handler, the session, the tray icon
// and the main window on the platform and message wrapper it is given, wires them with
// signals, and is the only place that creates windows. Each on-demand window is made on first
// use, shown modally and freed when it closes.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "IMessages.h"
#include "Platform.h"
#include "uDataModule.h"
#include "uMainSession.h"
#include "uReportError.h"

namespace telmora {

class Backup;
class ConnectionCommands;
class LimitWatch;
class PageCapture;
class PasswordGuard;
class SessionCaptureHost;
class SessionLimitHost;
class SystemInfo;
class TMainForm;
class Tformavvisi;
class TformChart;
class TformInfoCalls;
class Tforminfo;
class Tformurl;
class TrayIcon;
enum class CallsTag;

// Where an installation keeps its files: all of them beside the program.
struct InstallationPaths {
    QString programFile;  // full path of the running program
    QString programDir;

    QString database() const { return programDir + QStringLiteral("/telmora.mdb"); }
    QString settings() const { return programDir + QStringLiteral("/telmora.ini"); }
    QString log() const { return programDir + QStringLiteral("/telmora.log"); }
};

class Application : public QObject {
    Q_OBJECT
public:
    Application(Platform& platform, IMessages& messages, const InstallationPaths& paths,
                QObject* parent = nullptr);
    ~Application() override;

    // The creation steps of the program; runs inside the event loop.
    void start();

    TDataModule1& data() { return data_; }
    ReportError& reportError() { return reportError_; }
    MainSession& session() { return *session_; }
    TMainForm& mainForm() { return *mainForm_; }
    TrayIcon& trayIcon() { return *tray_; }
    // The tray as the program talks to it (the simulated platform records what passes).
    ITrayNotices& trayNotices() { return *notices_; }
    PageCapture& pageCapture() { return *capture_; }
    LimitWatch& limitWatch() { return *limitWatch_; }

    // The on-demand windows, each made here on first use and freed when it closes.
    void showVisitedPages();
    void showDayPages(const QString& dayText);
    void showCallDetails(CallsTag tag, const QString& period);
    void showChart();
    void showLimits();
    void showAbout();
    // The guarded tray actions: behind the password prompt when a password is set.
    void showMainWindowGuarded();
    void exitGuarded();

signals:
    // The session has finished: the event loop may end (the program ends it, with every
    // nested loop of a box or window still open).
    void finished();

private:
    void wireTray();
    void wireSystemEvents();
    void wireWorkers();
    void wireMenus();
    void onFinished();
    void tracciawebClick(bool checked);
    void clearPageHistory();
    Backup& backup();
    void runBackup();
    void runRestore();
    void mailToMaker();
    void updatePasswordMenu();
    void setBusyCursor(bool busy);

    // Creates the window on first use, shows it modally and frees it when it closes; while it
    // is open, ref points at it, and is empty again afterwards. make may answer no window.
    template <class Window, class Make>
    void showModal(QPointer<Window>& ref, Make make) {
        if (ref) {
            ref->raise();
            ref->activateWindow();
            return;
        }
        std::unique_ptr<Window> window = make();
        if (!window) return;  // it could not read what it shows: reported already
        ref = window.get();
        window->exec();
        ref = nullptr;
    }

    Platform& platform_;
    IMessages& messages_;
    InstallationPaths paths_;
    TDataModule1 data_;
    ReportError reportError_;
    std::unique_ptr<TrayIcon> tray_;
    std::unique_ptr<ITrayNotices> trayWrapper_;
    ITrayNotices* notices_ = nullptr;
    std::unique_ptr<MainSession> session_;
    std::unique_ptr<TMainForm> mainForm_;
    std::unique_ptr<ISystemEvents> events_;
    std::unique_ptr<ConnectionCommands> commands_;
    std::unique_ptr<SessionCaptureHost> captureHost_;
    std::unique_ptr<PageCapture> capture_;
    std::unique_ptr<SessionLimitHost> limitHost_;
    std::unique_ptr<LimitWatch> limitWatch_;
    std::unique_ptr<PasswordGuard> passwordGuard_;
    std::unique_ptr<Backup> backup_;
    std::unique_ptr<SystemInfo> systemInfo_;

    QPointer<Tformurl> formurl_;
    QPointer<TformInfoCalls> formInfoCalls_;
    QPointer<TformChart> formChart_;
    QPointer<Tformavvisi> formavvisi_;
    QPointer<Tforminfo> forminfo_;
};

}  // namespace telmora
