#pragma once
// The main window on a fresh database in a temporary folder, every outside facility faked and
// every message box answered in advance. The window is created and started as the program does.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "DbReader.h"
#include "Fakes.h"
#include "StoreRows.h"
#include "uIniFile.h"
#include "uMain.h"

// The pictures live in a static library: without this the linker may leave them out.
inline void initTelmoraResources() {
    Q_INIT_RESOURCE(telmora);
}

namespace telmora::test {

// An icon as it is drawn at the size of the tray and the menus; null when it does not load.
inline QImage picture(const QIcon& icon) {
    return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}

class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        initTelmoraResources();
        ASSERT_TRUE(dir.isValid());
        dbPath = dir.filePath(QStringLiteral("telmora.mdb"));
        iniPath = dir.filePath(QStringLiteral("telmora.ini"));
        TDataModule1::createDatabase(dbPath);
        data = std::make_unique<TDataModule1>(dbPath);
        report = std::make_unique<ReportError>(dir.filePath(QStringLiteral("telmora.log")),
                                               *fp.clock, messages);
        ResetRasApiLoad();
        form = std::make_unique<TMainForm>(
            fp.platform, *data, SessionPaths{dir.filePath(QStringLiteral("telmora")), iniPath},
            *report, messages);
        form->FormCreate();
        // Offscreen there is no notification area, so the start showed the window: hide it
        // again, as it stays on a desktop with a tray.
        form->HideMainWindow();
        // Polls and ticks come from the tests, not from the clock on the wall.
        form->session().ras.setEnabled(false);
        form->session().timercambiodata.stop();
    }

    MainSession& session() { return form->session(); }

    // A dial-up link comes up (or goes) and the monitor notices it.
    void dialUpOnline() {
        fp.dialUp->connect("Casa");
        fp.internet->flags |= kConnModem;
        session().ras.PollConnections();
    }
    void dialUpOffline() {
        fp.dialUp->disconnect();
        fp.internet->flags &= ~std::uint32_t{kConnModem};
        session().ras.PollConnections();
    }
    // A LAN connection as the identity check reports it.
    void lanOnline() {
        fp.internet->flags = kConnLan;
        session().lanShown = true;
    }

    Rows pcRows() const {
        return readRows(dbPath, QStringLiteral("SELECT PCSTART, PCSTOP FROM PCTIME"));
    }
    // Set at start, cleared by the exit steps once the options are saved.
    bool runUnderWay() const {
        return IniFile(iniPath).readBool(QStringLiteral("arrestianomali"),
                                         QStringLiteral("anomalo"), false);
    }
    QStringList shown(const QString& kind) const {
        QStringList out;
        for (const auto& s : messages.shown) {
            if (s.kind == kind) out << s.text;
        }
        return out;
    }

    QTemporaryDir dir;
    QString dbPath, iniPath;
    FakePlatform fp;
    ScriptedMessages messages;
    std::unique_ptr<TDataModule1> data;
    std::unique_ptr<ReportError> report;
    std::unique_ptr<TMainForm> form;
};

}  // namespace telmora::test
