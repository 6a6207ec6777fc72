#pragma once
// A MainSession on a fresh database in a temporary folder, with every outside facility faked.

#include <gtest/gtest.h>

#include "InstallationFixture.h"
#include "uMainSession.h"

namespace telmora::test {

// What the session told its view, as the main window would show it.
struct SessionWatch {
    int finishes = 0, repaints = 0, identityWrites = 0;
    DateTime dayPicker = 0;
    Options shown;
    QString clockLine, connection, device, ip;

    void follow(MainSession& s) {
        QObject::connect(&s, &MainSession::finished, [this] { ++finishes; });
        QObject::connect(&s, &MainSession::connectionStateChanged, [this] { ++repaints; });
        QObject::connect(&s, &MainSession::todayChosen, [this](DateTime d) { dayPicker = d; });
        QObject::connect(&s, &MainSession::optionsChanged, [this](const Options& o) { shown = o; });
        QObject::connect(&s, &MainSession::clockLineChanged,
                         [this](const QString& t) { clockLine = t; });
        QObject::connect(&s, &MainSession::identityChanged,
                         [this](const QString& c, const QString& d, const QString& i) {
                             connection = c;
                             device = d;
                             ip = i;
                             ++identityWrites;
                         });
    }
};

class SessionFixture : public InstallationFixture {
protected:
    void SetUp() override {
        InstallationFixture::SetUp();
        rebuildSession(iniPath);
    }

    // A new session (and monitor) on the fakes as they are now, its view and tray following it.
    void rebuildSession(const QString& settingsFile) {
        session.reset();
        ResetRasApiLoad();
        view = SessionWatch{};
        session = std::make_unique<MainSession>(
            fp.platform, *data, SessionPaths{programFile(), settingsFile, QString()}, *report,
            tray);
        session->setWaitBlocking([](int) {});
        view.follow(*session);
        QObject::connect(session.get(), &MainSession::connectionUp,
                         [this] { tray.setAnimating(true); });
        QObject::connect(session.get(), &MainSession::connectionDown,
                         [this] { tray.setAnimating(false); });
    }

    int exits() const { return view.finishes; }

    Rows pcRows() const {
        return readRows(dbPath,
                        QStringLiteral("SELECT PCSTART, PCSTOP, TPC FROM PCTIME ORDER BY rowid"));
    }
    Rows netRows() const {
        return readRows(
            dbPath, QStringLiteral(
                        "SELECT TSTART, TSTOP, TCONNECTION, CONN_NAME FROM ETIME ORDER BY rowid"));
    }
    // One monitor poll and one tick at the given instant.
    void at(int y, int mo, int d, int h, int mi, int s, int ms = 0) {
        fp.clock->set(y, mo, d, h, mi, s, ms);
        session->ras().PollConnections();
        session->timercambiodataTimer();
    }

    SessionWatch view;
    FakeTray tray;
    std::unique_ptr<MainSession> session;
};

}  // namespace telmora::test
