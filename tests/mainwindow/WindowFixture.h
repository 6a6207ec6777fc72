#pragma once
// The main window on a fresh database in a temporary folder, every outside facility faked and
// every message box answered in advance. The window is created and started as the program does.

#include <gtest/gtest.h>

#include "InstallationFixture.h"
#include "StoreRows.h"
#include "uApplication.h"
#include "uIniFile.h"
#include "uMain.h"
#include "uTrayIcon.h"

// The pictures live in a static library: without this the linker may leave them out.
inline void initTelmoraResources() {
    Q_INIT_RESOURCE(telmora);
}

namespace telmora::test {

// An icon as it is drawn at the size of the tray and the menus; null when it does not load.
inline QImage picture(const QIcon& icon) {
    return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}

class WindowFixture : public InstallationFixture {
protected:
    void SetUp() override {
        initTelmoraResources();
        InstallationFixture::SetUp();
        // The password file of these runs lives in the test's own folder.
        qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit());
        app = std::make_unique<Application>(fp.platform, messages,
                                            InstallationPaths{programFile(), dir.path()});
        form = &app->mainForm();
        app->start();
        // Offscreen there is no notification area, so the start showed the window: hide it
        // again, as it stays on a desktop with a tray.
        form->HideMainWindow();
        // Polls and ticks come from the tests, not from the clock on the wall.
        session().ras().setEnabled(false);
        session().timercambiodata().stop();
    }

    MainSession& session() { return app->session(); }

    // A dial-up link comes up (or goes) and the monitor notices it.
    void dialUpOnline() {
        connect("Casa");
        session().ras().PollConnections();
    }
    void dialUpOffline() {
        disconnect();
        session().ras().PollConnections();
    }
    // A LAN connection as the identity check reports it.
    void lanOnline() {
        fp.internet->flags = kConnLan;
        session().refreshIdentityLines();
    }

    Rows pcRows() const {
        return readRows(dbPath, QStringLiteral("SELECT PCSTART, PCSTOP FROM PCTIME"));
    }
    // Set at start, cleared by the exit steps once the options are saved.
    bool runUnderWay() const {
        return IniFile(iniPath).readBool(QStringLiteral("arrestianomali"),
                                         QStringLiteral("anomalo"), false);
    }
    std::unique_ptr<Application> app;
    TMainForm* form = nullptr;
};

}  // namespace telmora::test
