#pragma once
// A MainSession on a fresh database in a temporary folder, with every outside facility faked.

#include <gtest/gtest.h>

#include "InstallationFixture.h"
#include "uMainSession.h"

namespace telmora::test {

class SessionFixture : public InstallationFixture {
protected:
    void SetUp() override {
        InstallationFixture::SetUp();
        rebuildSession(iniPath);
        view.onClose = [this] {
            if (session->closeQuery()) ++exits;
        };
    }

    // A new session (and monitor) on the fakes as they are now.
    void rebuildSession(const QString& settingsFile) {
        session.reset();
        ResetRasApiLoad();
        session = std::make_unique<MainSession>(
            fp.platform, *data, SessionPaths{programFile(), settingsFile}, *report, view, tray);
        session->waitBlocking = [](int) {};
    }

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
        session->ras.PollConnections();
        session->timercambiodataTimer();
    }

    FakeView view;
    FakeTray tray;
    std::unique_ptr<MainSession> session;
    int exits = 0;
};

}  // namespace telmora::test
