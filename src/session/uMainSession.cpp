#include "uMainSession.h"

#include <QEventLoop>

namespace telmora {

MainSession::MainSession(Platform& platform, TDataModule1& data, const SessionPaths& paths,
                         ReportError& reportError, IMainView& view, ITrayNotices& tray,
                         QObject* parent)
    : QObject(parent),
      ras(*platform.dialUp, *platform.host, this),
      platform_(platform),
      data_(data),
      paths_(paths),
      settings_(paths.settingsFile),
      reportError_(reportError),
      view_(view),
      tray_(tray) {
    timercambiodata.setInterval(1000);
    // The clock line and the midnight split keep to the second: no coarse timer slack.
    timercambiodata.setTimerType(Qt::PreciseTimer);
    timerurl.setInterval(5000);
    timerAvvisi.setInterval(60000);
    connect(&timercambiodata, &QTimer::timeout, this,
            [this] { tryStep([this] { timercambiodataTimer(); }); });
    ras.setPollInterval(1000);
    ras.OnRasConnected = [this](TRasMonitor&, TRasConnectionDetails d) {
        tryStep([&] { rasRasConnected(d); });
    };
    ras.OnRasDisconnected = [this](TRasMonitor&, TRasConnectionDetails d) {
        tryStep([&] { rasRasDisconnected(d); });
    };
    waitBlocking = [](int ms) {
        // Only timers and system events run meanwhile: the user cannot start anything.
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    };
}

bool MainSession::tryStep(const std::function<void()>& step) {
    try {
        step();
        return true;
    } catch (const Error& e) {
        reportError_(e);
    } catch (const std::exception& e) {
        reportError_(QStringLiteral("TMainForm"), QString::fromLocal8Bit(e.what()));
    }
    return false;
}

void MainSession::startUp() {
    tryStep([this] { platform_.process->setIdlePriority(); });
    closingAllowed = false;
    dayNoticeGiven = false;
    monthNoticeGiven = false;
    pcStart = now();
    currentDay = datePart(pcStart);
    tryStep([this] { ras.setEnabled(true); });
    tryStep([this] {
        if (!platform_.autostart->exists()) platform_.autostart->write(paths_.programFile);
    });
    view_.setupHints();
    view_.setDayPicker(datePart(now()));
    options = settings_.loadOptions();
    view_.showOptions(options);
    abnormalStops = static_cast<int>(settings_.file().readInteger(QStringLiteral("arrestianomali"),
                                                                  QStringLiteral("arresti"), 0));
    tryStep([this] { abnormalStops = settings_.countAbnormalStop(); });
    tryStep([this] { settings_.writeFirstStartOnce(displayText(now())); });
    view_.useNewTrayBehaviour();
    timercambiodata.start();
}

void MainSession::stopTimers() {
    timercambiodata.stop();
    timerurl.stop();
    timerAvvisi.stop();
}

void MainSession::writePcSession() {
    pcDuration = durationText(pcStart, pcStop);
    Query& q = data_.adoqueryconnessione;
    q.setStatement(Stmt::S1);
    q.setDateTime(QStringLiteral("pcstart"), pcStart);
    q.setDateTime(QStringLiteral("pcstop"), pcStop);
    q.setText(QStringLiteral("pcdelta"), pcDuration);
    q.execute();
}

void MainSession::writeInternetSession() {
    netDuration = durationText(netStart, netStop);
    insertCall(netStart, netStop, netDuration, connName);
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
    settings_.saveOptions(options);
    settings_.markOrderlyExit();
}

bool MainSession::closeQuery() {
    if (!closingAllowed) return false;
    stopTimers();
    return tryStep([this] {
        writeUnwrittenCalls();
        pcStop = now();
        writePcSession();
        // Once written, the time up to pcStop is on record: should a later step fail and the
        // exit be taken again, only the time since then is written, never the same span twice.
        pcStart = pcStop;
        if (ras.Online()) {
            netStop = pcStop;
            writeInternetSession();
            netStart = netStop;
        }
        data_.closeConnection();
        saveSettingsAtExit();
    });
}

void MainSession::requestExit() {
    closingAllowed = true;
    view_.closeWindow();
}

void MainSession::onSessionEnding() {
    requestExit();
}

void MainSession::onClockChanged() {
    if (datePart(now()) == currentDay) return;
    stopTimers();
    currentDay = datePart(now());
    // Nothing may start or re-arm while the program waits to end.
    closingAllowed = true;
    if (ras.RasApiLoaded()) ras.setEnabled(false);
    showBalloonTip(tray_, QStringLiteral("Telmora. Arresto programma"),
                   QStringLiteral("E' stata modificata la data di sistema\rChiusura di "
                                  "Telmora in corso..."),
                   BalloonIcon::Warning, 10);
    data_.closeConnection();
    // A failed save is reported; the program still ends, as the new date asks.
    tryStep([this] { saveSettingsAtExit(); });
    waitBlocking(5000);
    tray_.hideBalloon();
    view_.terminate();
}

}  // namespace telmora
