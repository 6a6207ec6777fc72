#pragma once
// A MainSession on a fresh database in a temporary folder, with every outside facility faked.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "DbReader.h"
#include "Fakes.h"
#include "uMainSession.h"

namespace telmora::test {

class SessionFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        dbPath = dir.filePath(QStringLiteral("telmora.mdb"));
        iniPath = dir.filePath(QStringLiteral("telmora.ini"));
        TDataModule1::createDatabase(dbPath);
        data = std::make_unique<TDataModule1>(dbPath);
        report = std::make_unique<ReportError>(dir.filePath(QStringLiteral("telmora.log")),
                                               *fp.clock, messages);
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
            fp.platform, *data, SessionPaths{dir.filePath(QStringLiteral("telmora")), settingsFile},
            *report, view, tray);
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
    QStringList errors() const {
        QStringList out;
        for (const auto& s : messages.shown) {
            if (s.kind == QLatin1String("error")) out << s.text;
        }
        return out;
    }
    // A dial-up link comes up or goes: the system then also reports the modem kind.
    void connect(const std::string& entry = "Provider") {
        fp.dialUp->connect(entry);
        fp.internet->flags |= kConnModem;
    }
    void disconnect() {
        fp.dialUp->disconnect();
        fp.internet->flags &= ~std::uint32_t{kConnModem};
    }

    // One monitor poll and one tick at the given instant.
    void at(int y, int mo, int d, int h, int mi, int s, int ms = 0) {
        fp.clock->set(y, mo, d, h, mi, s, ms);
        session->ras.PollConnections();
        session->timercambiodataTimer();
    }

    QTemporaryDir dir;
    QString dbPath, iniPath;
    FakePlatform fp;
    ScriptedMessages messages;
    FakeView view;
    FakeTray tray;
    std::unique_ptr<TDataModule1> data;
    std::unique_ptr<ReportError> report;
    std::unique_ptr<MainSession> session;
    int exits = 0;
};

}  // namespace telmora::test
