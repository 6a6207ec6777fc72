#include "uMainSession.h"

#include <QEventLoop>

namespace telmora {

MainSession::MainSession(Platform& platform, TDataModule1& data, const SessionPaths& paths,
                         ReportError& reportError, ITrayNotices& tray, QObject* parent)
    : QObject(parent),
      platform_(platform),
      data_(data),
      paths_(paths),
      settings_(paths.settingsFile),
      reportError_(reportError),
      tray_(tray),
      ras_(*platform.dialUp, *platform.host, this) {
    timercambiodata_.setInterval(1000);
    // The clock line and the midnight split keep to the second: no coarse timer slack.
    timercambiodata_.setTimerType(Qt::PreciseTimer);
    connect(&timercambiodata_, &QTimer::timeout, this, &MainSession::runTick);
    ras_.setPollInterval(1000);
    ras_.OnRasConnected = [this](TRasMonitor&, TRasConnectionDetails d) {
        tryStep([&] { rasRasConnected(d); });
    };
    ras_.OnRasDisconnected = [this](TRasMonitor&, TRasConnectionDetails d) {
        tryStep([&] { rasRasDisconnected(d); });
    };
    waitBlocking_ = [](int ms) {
        // Only timers and system events run meanwhile: the user cannot start anything.
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    };
}

void MainSession::report(const Error& error) {
    if (deferredErrors_) {
        reportError_.log(error);
        deferredErrors_->push_back(error);
    } else {
        reportError_(error);
    }
}

bool MainSession::tryStep(const std::function<void()>& step) {
    try {
        step();
        return true;
    } catch (const Error& e) {
        report(e);
    } catch (const std::exception& e) {
        report(Error(QStringLiteral("TMainForm"), QString::fromLocal8Bit(e.what())));
    }
    return false;
}

void MainSession::startUp() {
    std::vector<Error> errors;
    deferredErrors_ = &errors;
    tryStep([this] { platform_.process->setIdlePriority(); });
    closingAllowed_ = false;
    dayNoticeGiven_ = false;
    monthNoticeGiven_ = false;
    pcStart_ = now();
    currentDay_ = datePart(pcStart_);
    tryStep([this] { ras_.setEnabled(true); });
    tryStep([this] {
        if (!platform_.autostart->exists()) platform_.autostart->write(paths_.programFile);
    });
    emit todayChosen(datePart(now()));
    setOptions(settings_.loadOptions());
    abnormalStops_ = static_cast<int>(settings_.file().readInteger(QStringLiteral("arrestianomali"),
                                                                   QStringLiteral("arresti"), 0));
    tryStep([this] { abnormalStops_ = settings_.countAbnormalStop(); });
    tryStep([this] { settings_.writeFirstStartOnce(displayText(now())); });
    timercambiodata_.start();
    deferredErrors_ = nullptr;
    // Each box is shown only while the program still runs: a logoff during one ends it.
    for (const Error& e : errors) {
        if (finished_) break;
        reportError_.show(e);
    }
}

void MainSession::setOptions(const Options& options) {
    options_ = options;
    emit optionsChanged(options_);
}

void MainSession::setTracciaweb(bool on) {
    if (options_.tracciaweb == on) return;
    Options o = options_;
    o.tracciaweb = on;
    setOptions(o);
}

void MainSession::setRg(int index) {
    if (options_.rg == index) return;
    Options o = options_;
    o.rg = index;
    setOptions(o);
}

void MainSession::reloadSettings() {
    setOptions(settings_.loadOptions());
    abnormalStops_ = static_cast<int>(settings_.file().readInteger(QStringLiteral("arrestianomali"),
                                                                   QStringLiteral("arresti"), 0));
}

void MainSession::stopTimers() {
    timercambiodata_.stop();
    emit stopping();
}

void MainSession::writePcSession() {
    const QString duration = durationText(pcStart_, pcStop_);
    Query& q = data_.adoqueryconnessione;
    q.setStatement(Stmt::S1);
    q.setDateTime(QStringLiteral("pcstart"), pcStart_);
    q.setDateTime(QStringLiteral("pcstop"), pcStop_);
    q.setText(QStringLiteral("pcdelta"), duration);
    q.execute();
}

void MainSession::writeInternetSession() {
    insertCall(netStart_, netStop_, durationText(netStart_, netStop_), connName_);
}

void MainSession::insertCall(DateTime start, DateTime stop, const QString& duration,
                             const QString& name) {
    Query& q = data_.adoqueryconnessione;
    q.setStatement(Stmt::S2);
    q.setDateTime(QStringLiteral("tstart"), start);
    q.setDateTime(QStringLiteral("tstop"), stop);
    q.setText(QStringLiteral("diff"), duration);
    q.setText(QStringLiteral("conn"), name);
    q.execute();
}

void MainSession::writeUnwrittenCalls() {
    while (!unwrittenCalls_.empty()) {
        const Call& c = unwrittenCalls_.front();
        insertCall(c.start, c.stop, durationText(c.start, c.stop), c.name);
        unwrittenCalls_.erase(unwrittenCalls_.begin());
    }
}

void MainSession::saveSettingsAtExit() {
    settings_.saveOptions(options_);
    settings_.markOrderlyExit();
}

void MainSession::finish() {
    finished_ = true;
    emit finished();
}

// The rows of the open sessions end now and the sessions go on from the same instant.
void MainSession::writeSessionsUpToNow() {
    writeUnwrittenCalls();
    pcStop_ = now();
    writePcSession();
    pcStart_ = pcStop_;
    if (ras_.Online()) {
        netStop_ = pcStop_;
        writeInternetSession();
        netStart_ = netStop_;
    }
}

bool MainSession::requestExit() {
    if (finished_) return true;
    closingAllowed_ = true;
    // The date-change exit has saved the settings and ends the program on its own; the open
    // sessions are not recorded on that path, whatever asks for an exit meanwhile.
    if (dateChangeExit_) return false;
    stopTimers();
    const bool done = tryStep([this] {
        // Once written, the time up to now is on record: should a later step fail and the exit
        // be taken again, only the time since then is written, never the same span twice.
        writeSessionsUpToNow();
        data_.closeConnection();
        saveSettingsAtExit();
    });
    if (done) finish();
    return done;
}

void MainSession::onSessionEnding() {
    requestExit();
}

void MainSession::onSessionCheckpoint() {
    if (closingAllowed_ || finished_) return;
    tryStep([this] {
        writeSessionsUpToNow();
        settings_.saveOptions(options_);
    });
}

void MainSession::onClockChanged() {
    if (finished_ || dateChangeExit_) return;
    if (datePart(now()) == currentDay_) return;
    stopTimers();
    currentDay_ = datePart(now());
    // Nothing may start or re-arm while the program waits to end.
    closingAllowed_ = true;
    dateChangeExit_ = true;
    if (ras_.RasApiLoaded()) ras_.setEnabled(false);
    showBalloonTip(tray_, QStringLiteral("Telmora. Arresto programma"),
                   QStringLiteral("E' stata modificata la data di sistema\rChiusura di "
                                  "Telmora in corso..."),
                   BalloonIcon::Warning, 10);
    // Calls that ended earlier and wait for their rows are closed calls, not open sessions.
    tryStep([this] { writeUnwrittenCalls(); });
    data_.closeConnection();
    // A failed save is reported; the program still ends, as the new date asks.
    tryStep([this] { saveSettingsAtExit(); });
    waitBlocking_(5000);
    tray_.hideBalloon();
    finish();
}

}  // namespace telmora
