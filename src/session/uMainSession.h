#pragma once
// The life of the program behind the main window: start-up and exit, the PC and Internet
// sessions with their midnight split, and the network identity lines. It owns the window's
// timers and the connection monitor; the window itself stays a thin view (IMainView).

#include <QObject>
#include <QTimer>
#include <functional>
#include <vector>

#include "IMainView.h"
#include "Platform.h"
#include "uDataModule.h"
#include "uRasMonitor.h"
#include "uReportError.h"
#include "uSettings.h"

namespace telmora {

struct SessionPaths {
    QString programFile;  // full path of the running program
    QString settingsFile;
};

class MainSession : public QObject {
    Q_OBJECT
public:
    MainSession(Platform& platform, TDataModule1& data, const SessionPaths& paths,
                ReportError& reportError, IMainView& view, ITrayNotices& tray,
                QObject* parent = nullptr);

    // ---- start-up and shutdown ----
    // The window's creation steps. A step that fails is reported and the independent steps
    // after it still run, so a failure never leaves the settings unloaded.
    void startUp();
    // The close query: with an exit under way, the exit steps; true when the program may end.
    bool closeQuery();
    // Sets closingAllowed and closes the window (tray "Chiudi", deactivation, session end).
    void requestExit();
    void onSessionEnding();
    void onClockChanged();

    // ---- session recorder ----
    void rasRasConnected(const TRasConnectionDetails& details);
    void rasRasDisconnected(const TRasConnectionDetails& details);
    void timercambiodataTimer();

    // ---- network identity ----
    void refreshIdentityLines();
    QString hardwareAddress();

    // Hooks for the page capture and the limit watch: not started while they are empty.
    std::function<void()> onStartPageCapture;
    std::function<void()> onStartLimitWatch;
    // How the program waits during a clock-change exit (tests pass a no-op).
    std::function<void(int milliseconds)> waitBlocking;

    // State of the main window shared with the other windows.
    bool closingAllowed = false;
    DateTime pcStart = 0, pcStop = 0;
    QString pcDuration;
    DateTime currentDay = 0;
    int abnormalStops = 0;
    QString passwordFile;
    DateTime netStart = 0, netStop = 0;
    QString netDuration;
    QString connName;
    bool lanShown = false;
    QString lastUrl;
    bool dayNoticeGiven = false, monthNoticeGiven = false;
    Options options;

    TRasMonitor ras;
    QTimer timercambiodata;
    QTimer timerurl;
    QTimer timerAvvisi;

    const Settings& settings() const { return settings_; }

private:
    DateTime now() const { return platform_.clock->now(); }
    void stopTimers();
    void writePcSession();
    void writeInternetSession();
    void insertCall(DateTime start, DateTime stop, const QString& duration, const QString& name);
    void writeUnwrittenCalls();
    void saveSettingsAtExit();
    void showDialUpIdentity();
    void clearIdentityLines();
    void startAnimation();
    void stopAnimation();
    // Runs one step; a failure is reported and false returned.
    bool tryStep(const std::function<void()>& step);

    Platform& platform_;
    TDataModule1& data_;
    SessionPaths paths_;
    Settings settings_;
    ReportError& reportError_;
    IMainView& view_;
    ITrayNotices& tray_;
    bool animating_ = false;
    // Calls whose rows could not be written when they ended: kept and written with the next
    // rows (the next call's end, the midnight split, the exit) instead of being lost.
    struct Call {
        DateTime start, stop;
        QString name;
    };
    std::vector<Call> unwrittenCalls_;
};

}  // namespace telmora
