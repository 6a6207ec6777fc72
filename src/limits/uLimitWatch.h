#pragma once
// The limit watch: the timer timerAvvisi, which starts one TThreadNotify check a minute while a
// dial-up connection is up and a limit is on, and the main-thread steps of those checks (the
// notices and the re-arming of the timer).
//
// The program connects it to the connection coming up and going away, to the exit and to a
// change of the system date; the limits window calls settingsWindowClosed().

#include <QObject>
#include <QTimer>
#include <mutex>
#include <vector>

#include "uLimitCheck.h"

namespace telmora {

class ConnectionCommands;
class IClock;
class ILimitHost;
class ITrayNotices;
class ReportError;
class TDataModule1;
class TThreadNotify;

class LimitWatch : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 60000;
    // How long the exit and the date change wait for a check under way.
    static constexpr int kFinishWaitMs = 5000;

    LimitWatch(ILimitHost& host, TDataModule1& data, const IClock& clock, ReportError& reportError,
               ITrayNotices& tray, ConnectionCommands& commands, QObject* parent = nullptr);
    // Waits for every check still under way.
    ~LimitWatch() override;

    // Starts timerAvvisi; a timer that already runs keeps its countdown.
    void start();
    void stop();
    bool active() const { return timerAvvisi.isActive(); }
    int remainingTimeMs() const { return timerAvvisi.remainingTime(); }

    // A dial-up connection came up: with a limit on, both notices are cleared and the watch
    // starts; its first check comes a minute later.
    void connectionUp();
    // The connection went away (whether or not its row could be written).
    void connectionDown();
    // The exit steps and the system date change: the watch stops and a check under way is given
    // a few seconds to end, so that it does not outlive the database connection.
    void exiting();
    void dateChanged();

    // The limits window closed with the settings it stored: while online, a limit on clears both
    // notices and starts the watch, both limits off stop it. Offline the timer is left alone.
    void settingsWindowClosed();

    // One tick of timerAvvisi: the timer stops and a check starts on a worker of its own.
    void timerAvvisiTimer();

    // Main-thread steps of a check, called by the worker that waits for them.
    void giveNotice(LimitKind kind, LimitSnapshot& snapshot);
    // Starts the timer again while a notice is still due, the connection is up and the program
    // is not ending.
    void rearm(const LimitSnapshot& snapshot);

    // Waits up to timeoutMs (negative: without limit) for the checks under way, serving their
    // calls to the main thread meanwhile; true when none is left.
    bool waitForChecks(int timeoutMs);
    int checksUnderWay() const { return static_cast<int>(workers_.size()); }

signals:
    // A check ended (on the main thread, after its re-arm step).
    void checkFinished();

private:
    friend class TThreadNotify;
    void workerFinished(TThreadNotify* worker);

    ILimitHost& host_;
    TDataModule1& data_;
    const IClock& clock_;
    ReportError& reportError_;
    ITrayNotices& tray_;
    ConnectionCommands& commands_;
    QTimer timerAvvisi{this};
    std::vector<TThreadNotify*> workers_;
    // Checks that overlap (one outlasting the minute) take the query object in turn.
    std::mutex queryTurn_;
};

}  // namespace telmora
