// The session recorder: every dial-up connection becomes ETIME rows, every run PCTIME rows,
// both split at the first tick of a new day.

#include <exception>

#include "uMainSession.h"

namespace telmora {

void MainSession::rasRasConnected(const TRasConnectionDetails& details) {
    lanShown_ = false;
    netStart_ = now();
    connName_ = details.entryName();
    showDialUpIdentity();
    emit connectionStateChanged();
    if (options_.daylimit || options_.monthlimit) {
        dayNoticeGiven_ = false;
        monthNoticeGiven_ = false;
    }
    linkUp(LinkKind::DialUp);
}

void MainSession::rasRasDisconnected(const TRasConnectionDetails&) {
    netStop_ = now();
    std::exception_ptr failure;
    try {
        writeInternetSession();
    } catch (...) {
        // The connection is over: its row waits for the next write instead of being lost.
        unwrittenCalls_.push_back(Call{netStart_, netStop_, connName_});
        failure = std::current_exception();
    }
    // The link is gone whatever the write did: the lines, the capture, the watch and the
    // animation follow it, and only then is a failure reported.
    setIdentity({}, {}, {});
    emit connectionStateChanged();
    lastUrl_.clear();
    linkDown(LinkKind::DialUp);
    if (failure) std::rethrow_exception(failure);
    writeUnwrittenCalls();
}

void MainSession::linkUp(LinkKind kind) {
    linkAnnounced_ = true;
    emit connectionUp(kind);
}

void MainSession::linkDown(LinkKind kind) {
    if (!linkAnnounced_) return;
    linkAnnounced_ = false;
    emit connectionDown(kind);
}

// The timer's own handler: a failure that repeats every second shows one box at a time and
// is logged once, until a tick gets through.
void MainSession::runTick() {
    try {
        timercambiodataTimer();
        lastTickFailure_.clear();
        return;
    } catch (const Error& e) {
        const bool repeated = e.message() == lastTickFailure_;
        lastTickFailure_ = e.message();
        if (!repeated) reportError_.log(e);
        if (tickBoxOpen_) return;
        tickBoxOpen_ = true;
        reportError_.show(e);
        tickBoxOpen_ = false;
    } catch (const std::exception& e) {
        report(Error(QStringLiteral("TMainForm"), QString::fromLocal8Bit(e.what())));
    }
}

void MainSession::timercambiodataTimer() {
    emit clockLineChanged(clockLineText(now()));
    timercambiodata_.stop();
    // The tick re-arms itself whatever fails below, unless the program is ending. It comes back
    // just after the next whole second of the clock, so the clock line never lags and the
    // midnight split falls within the first second of the new day.
    struct Rearm {
        MainSession& s;
        ~Rearm() {
            if (s.closingAllowed_) return;
            constexpr int kPastTheSecondMs = 5;
            s.timercambiodata_.start(1000 - decodeTime(s.now()).msec + kPastTheSecondMs);
        }
    } rearm{*this};
    refreshIdentityLines();
    if (datePart(now()) == currentDay_) return;
    pcStop_ = now();
    // The PC row goes first: if it fails, nothing moves and the whole split is tried again.
    writePcSession();
    pcStart_ = pcStop_;
    currentDay_ = datePart(pcStart_);
    if (ras_.Online()) {
        netStop_ = pcStop_;
        writeInternetSession();
        netStart_ = netStop_;
    }
    writeUnwrittenCalls();
}

}  // namespace telmora
