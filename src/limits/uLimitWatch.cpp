#include "uLimitWatch.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <algorithm>

#include "ILimitHost.h"
#include "uLimitNotice.h"
#include "uThreadNotify.h"

namespace telmora {

LimitWatch::LimitWatch(ILimitHost& host, TDataModule1& data, const IClock& clock,
                       ReportError& reportError, ITrayNotices& tray, ConnectionCommands& commands,
                       QObject* parent)
    : QObject(parent),
      host_(host),
      data_(data),
      clock_(clock),
      reportError_(reportError),
      tray_(tray),
      commands_(commands) {
    timerAvvisi.setObjectName(QStringLiteral("timerAvvisi"));
    timerAvvisi.setInterval(kIntervalMs);
    connect(&timerAvvisi, &QTimer::timeout, this, &LimitWatch::timerAvvisiTimer);
}

LimitWatch::~LimitWatch() {
    timerAvvisi.stop();
    waitForChecks(-1);
}

void LimitWatch::start() {
    if (!timerAvvisi.isActive()) timerAvvisi.start();
}

void LimitWatch::stop() {
    timerAvvisi.stop();
}

void LimitWatch::connectionUp() {
    if (!host_.limitSettings().anyLimit()) return;
    host_.setDayNoticeGiven(false);
    host_.setMonthNoticeGiven(false);
    start();
}

void LimitWatch::connectionDown() {
    stop();
}

void LimitWatch::exiting() {
    stop();
    waitForChecks(kFinishWaitMs);
}

void LimitWatch::dateChanged() {
    stop();
    waitForChecks(kFinishWaitMs);
}

void LimitWatch::settingsWindowClosed() {
    if (!host_.online()) return;
    if (host_.limitSettings().anyLimit()) {
        host_.setDayNoticeGiven(false);
        host_.setMonthNoticeGiven(false);
        start();
    } else {
        stop();
    }
}

void LimitWatch::timerAvvisiTimer() {
    timerAvvisi.stop();
    auto* worker = new TThreadNotify(*this, takeSnapshot(host_));
    connect(worker, &QThread::finished, this, [this, worker] { workerFinished(worker); });
    workers_.push_back(worker);
    worker->start();
}

void LimitWatch::giveNotice(LimitKind kind, LimitSnapshot& snapshot) {
    giveLimitNotice(kind, snapshot, tray_, commands_, host_);
}

void LimitWatch::rearm(const LimitSnapshot& snapshot) {
    if (snapshot.noticePending() && host_.online() && !host_.closingAllowed()) start();
}

void LimitWatch::workerFinished(TThreadNotify* worker) {
    const auto it = std::find(workers_.begin(), workers_.end(), worker);
    if (it == workers_.end()) return;
    workers_.erase(it);
    worker->deleteLater();
    emit checkFinished();
}

bool LimitWatch::waitForChecks(int timeoutMs) {
    const QDeadlineTimer deadline =
        timeoutMs < 0 ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(timeoutMs);
    // A worker may be waiting for one of its steps on this thread: serve those while waiting.
    while (!workers_.empty()) {
        TThreadNotify* worker = workers_.front();
        while (!worker->wait(QDeadlineTimer(5))) {
            QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
            if (deadline.hasExpired()) return false;
        }
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
        workerFinished(worker);
    }
    return true;
}

}  // namespace telmora
