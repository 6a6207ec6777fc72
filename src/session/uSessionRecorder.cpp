// The session recorder: every dial-up connection becomes ETIME rows, every run PCTIME rows,
// both split at the first tick of a new day.

#include "uMainSession.h"

namespace telmora {

void MainSession::rasRasConnected(const TRasConnectionDetails& details) {
    lanShown = false;
    netStart = now();
    connName = details.entryName();
    showDialUpIdentity();
    view_.repaintStatusBar();
    if (options.tracciaweb && onStartPageCapture) onStartPageCapture();
    if (options.daylimit || options.monthlimit) {
        dayNoticeGiven = false;
        monthNoticeGiven = false;
        if (onStartLimitWatch) onStartLimitWatch();
    }
    startAnimation();
}

void MainSession::rasRasDisconnected(const TRasConnectionDetails&) {
    netStop = now();
    try {
        writeInternetSession();
    } catch (...) {
        // The connection is over: its row waits for the next write instead of being lost.
        unwrittenCalls_.push_back(Call{netStart, netStop, connName});
        throw;
    }
    clearIdentityLines();
    view_.repaintStatusBar();
    timerurl.stop();
    lastUrl.clear();
    timerAvvisi.stop();
    stopAnimation();
    writeUnwrittenCalls();
}

void MainSession::timercambiodataTimer() {
    view_.setClockLine(clockLineText(now()));
    timercambiodata.stop();
    // The tick re-arms itself whatever fails below, unless the program is ending. It comes back
    // just after the next whole second of the clock, so the clock line never lags and the
    // midnight split falls within the first second of the new day.
    struct Rearm {
        MainSession& s;
        ~Rearm() {
            if (s.closingAllowed) return;
            constexpr int kPastTheSecondMs = 5;
            s.timercambiodata.start(1000 - decodeTime(s.now()).msec + kPastTheSecondMs);
        }
    } rearm{*this};
    refreshIdentityLines();
    if (datePart(now()) == currentDay) return;
    pcStop = now();
    // The PC row goes first: if it fails, nothing moves and the whole split is tried again.
    writePcSession();
    pcStart = pcStop;
    currentDay = datePart(pcStart);
    if (ras.Online()) {
        netStop = pcStop;
        writeInternetSession();
        netStart = netStop;
    }
    writeUnwrittenCalls();
}

void MainSession::startAnimation() {
    if (animating_) return;
    animating_ = true;
    tray_.setAnimating(true);
}

// Offline ticks ask for this every second; only the end of an animation changes the icon, so
// the program icon stays until the first connection.
void MainSession::stopAnimation() {
    if (!animating_) return;
    animating_ = false;
    tray_.setAnimating(false);
}

}  // namespace telmora
