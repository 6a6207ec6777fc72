#pragma once
// The life of the program behind the main window: start-up and exit, the PC and Internet
// sessions with their midnight split, and the network identity lines. It owns the connection
// monitor and the one-second tick, knows no window, and says what changed through signals.

#include <QObject>
#include <QTimer>
#include <functional>
#include <vector>

#include "Platform.h"
#include "uDataModule.h"
#include "uRasMonitor.h"
#include "uReportError.h"
#include "uSettings.h"

namespace telmora {

struct SessionPaths {
    QString programFile;  // full path of the running program
    QString settingsFile;
    QString passwordFile;  // where the password would be kept (it may not exist)
};

// How the PC reaches the Internet while a connection is up.
enum class LinkKind { DialUp, LanOrProxy };

class MainSession : public QObject {
    Q_OBJECT
public:
    MainSession(Platform& platform, TDataModule1& data, const SessionPaths& paths,
                ReportError& reportError, ITrayNotices& tray, QObject* parent = nullptr);

    // ---- start-up and shutdown ----
    // The creation steps. Every independent step runs even when one before it failed; their
    // errors are logged at once and shown once the program is fully started, so a logoff that
    // comes while such a box is open finds the settings loaded and the run counted.
    void startUp();
    // The exit steps; true when they all ran and finished() was sent. A failed step is reported
    // and leaves the exit open, so that taking an exit path again repeats it.
    bool requestExit();
    // Logoff, shutdown, the end of the desktop session.
    void onSessionEnding();
    // A desktop session checkpoint: the program goes on, but what it recorded is put on disk.
    void onSessionCheckpoint();
    void onClockChanged();

    // ---- session recorder ----
    void rasRasConnected(const TRasConnectionDetails& details);
    void rasRasDisconnected(const TRasConnectionDetails& details);
    void timercambiodataTimer();
    // What the one-second timer runs: the tick, with a failure that repeats every second shown
    // in one box at a time and logged once until a tick gets through.
    void runTick();

    // ---- network identity ----
    void refreshIdentityLines();
    QString hardwareAddress();

    // ---- state shared with the other windows and the workers ----
    bool closingAllowed() const { return closingAllowed_; }
    // The exit (or the date-change exit) is over: nothing more may be written.
    bool finishedRunning() const { return finished_; }
    DateTime pcStart() const { return pcStart_; }
    DateTime currentDay() const { return currentDay_; }
    int abnormalStops() const { return abnormalStops_; }
    const QString& passwordFile() const { return paths_.passwordFile; }
    DateTime netStart() const { return netStart_; }
    const QString& connName() const { return connName_; }
    bool lanShown() const { return lanShown_; }
    bool online() const { return ras_.Online(); }
    const QString& lastUrl() const { return lastUrl_; }
    void setLastUrl(const QString& url) { lastUrl_ = url; }
    bool dayNoticeGiven() const { return dayNoticeGiven_; }
    bool monthNoticeGiven() const { return monthNoticeGiven_; }
    void setDayNoticeGiven(bool given) { dayNoticeGiven_ = given; }
    void setMonthNoticeGiven(bool given) { monthNoticeGiven_ = given; }

    const Options& options() const { return options_; }
    // Every change of an option comes through here and is announced by optionsChanged().
    void setOptions(const Options& options);
    void setTracciaweb(bool on);
    void setRg(int index);
    // After a restore: the options and the abnormal-stop count read back from the settings file.
    void reloadSettings();

    TRasMonitor& ras() { return ras_; }
    const TRasMonitor& ras() const { return ras_; }
    QTimer& timercambiodata() { return timercambiodata_; }
    const Settings& settings() const { return settings_; }

    // How the program waits during a date-change exit (tests pass a no-op).
    void setWaitBlocking(std::function<void(int milliseconds)> wait) {
        waitBlocking_ = std::move(wait);
    }

signals:
    void clockLineChanged(const QString& text);
    void identityChanged(const QString& connection, const QString& device, const QString& ip);
    // The status bar's state may read differently (online, LAN shown).
    void connectionStateChanged();
    // A connection came up: the dial-up connected event, or a LAN or proxy link found by a tick.
    void connectionUp(telmora::LinkKind kind);
    // The connection went away: the disconnected event, or the first tick that finds none.
    void connectionDown(telmora::LinkKind kind);
    void optionsChanged(const telmora::Options& options);
    // Start-up sets the day picker to today.
    void todayChosen(telmora::DateTime day);
    // An exit or the date-change exit began: the capture and the limit watch stop for good.
    void stopping();
    // The program may end now.
    void finished();

private:
    DateTime now() const { return platform_.clock->now(); }
    void stopTimers();
    void writePcSession();
    void writeInternetSession();
    void insertCall(DateTime start, DateTime stop, const QString& duration, const QString& name);
    void writeUnwrittenCalls();
    void writeSessionsUpToNow();
    void saveSettingsAtExit();
    void finish();
    void showDialUpIdentity();
    void setIdentity(const QString& connection, const QString& device, const QString& ip);
    void linkUp(LinkKind kind);
    void linkDown(LinkKind kind);
    // Runs one step; a failure is reported and false returned.
    bool tryStep(const std::function<void()>& step);
    void report(const Error& error);

    Platform& platform_;
    TDataModule1& data_;
    SessionPaths paths_;
    Settings settings_;
    ReportError& reportError_;
    ITrayNotices& tray_;
    TRasMonitor ras_;
    QTimer timercambiodata_;
    std::function<void(int)> waitBlocking_;

    bool closingAllowed_ = false;
    bool finished_ = false;
    bool dateChangeExit_ = false;
    DateTime pcStart_ = 0, pcStop_ = 0;
    DateTime currentDay_ = 0;
    int abnormalStops_ = 0;
    DateTime netStart_ = 0, netStop_ = 0;
    QString connName_;
    bool lanShown_ = false;
    QString lastUrl_;
    bool dayNoticeGiven_ = false, monthNoticeGiven_ = false;
    Options options_;
    // A connection (dial-up or LAN) was announced and not yet taken down.
    bool linkAnnounced_ = false;

    // Start-up errors wait here for their boxes until every step has run.
    std::vector<Error>* deferredErrors_ = nullptr;
    // A tick that keeps failing the same way shows one box at a time and logs each distinct
    // failure once until a tick succeeds.
    QString lastTickFailure_;
    bool tickBoxOpen_ = false;

    // Calls whose rows could not be written when they ended: kept and written with the next
    // rows (the next call's end, the midnight split, the exit) instead of being lost.
    struct Call {
        DateTime start, stop;
        QString name;
    };
    std::vector<Call> unwrittenCalls_;
};

}  // namespace telmora
