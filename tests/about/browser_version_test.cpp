// The default browser's version: from its desktop entry, from the fallback program, or none.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "QtPrinters.h"
#include "uBrowserVersion.h"

namespace telmora {
namespace {

class BrowserVersion : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString script(const QString& name, const QString& body) {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write((QStringLiteral("#!/bin/sh\n") + body).toUtf8());
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
        return path;
    }
    // A browser that prints output for --version (its last argument) and fails otherwise.
    QString browser(const QString& name, const QString& output) {
        return script(name, QStringLiteral("for last; do :; done\n[ \"$last\" = --version ] || "
                                           "exit 3\nprintf '%1'\n")
                                .arg(output));
    }
    void entry(const QString& id, const QString& text) {
        QDir().mkpath(dir.filePath(QStringLiteral("applications")));
        QFile f(dir.filePath(QStringLiteral("applications/") + id));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
    }
    BrowserSources sources(const QString& id) {
        BrowserSources s;
        s.defaultDesktopId = [id] { return id; };
        s.applicationDirs = {dir.filePath(QStringLiteral("applications"))};
        s.fallbackProgram = dir.filePath(QStringLiteral("no-such-browser"));
        return s;
    }
};

TEST_F(BrowserVersion, FromTheDefaultBrowsersDesktopEntry) {
    const QString program = browser(QStringLiteral("navigator"),
                                    QStringLiteral("\\nNavigator 12.3esr\\nsecond line\\n"));
    entry(QStringLiteral("navigator.desktop"),
          QStringLiteral("[Desktop Entry]\nName=Navigator, the browser\nExec=") + program +
              QStringLiteral(" --new-window %u\n[Desktop Action private]\nExec=nothing\n"));
    EXPECT_EQ(defaultBrowserVersion(sources(QStringLiteral("navigator.desktop"))),
              QStringLiteral("Navigator 12.3esr"));
}

TEST_F(BrowserVersion, ANumberAloneGetsTheBrowsersName) {
    const QString program = browser(QStringLiteral("web"), QStringLiteral("44.2\\n"));
    entry(QStringLiteral("web.desktop"), QStringLiteral("[Desktop Entry]\nName=Web\nExec=\"") +
                                             program + QStringLiteral("\" %U\n"));
    EXPECT_EQ(defaultBrowserVersion(sources(QStringLiteral("web.desktop"))),
              QStringLiteral("Web 44.2"));
}

TEST_F(BrowserVersion, FallbackProgramWhenNoEntryNamesTheBrowser) {
    BrowserSources s = sources(QStringLiteral("gone.desktop"));
    s.fallbackProgram = browser(QStringLiteral("x-www-browser"),
                                QStringLiteral("Chromium 120.0.6099.224 built on Debian 12.4\\n"));
    EXPECT_EQ(defaultBrowserVersion(s), QStringLiteral("Chromium 120.0.6099.224"));
}

TEST_F(BrowserVersion, EmptyWithoutBrowserOrWhenItFails) {
    EXPECT_EQ(defaultBrowserVersion(sources(QString())), QString());
    entry(QStringLiteral("broken.desktop"),
          QStringLiteral("[Desktop Entry]\nExec=") +
              script(QStringLiteral("broken"), QStringLiteral("exit 1\n")) +
              QStringLiteral(" %u\n"));
    EXPECT_EQ(defaultBrowserVersion(sources(QStringLiteral("broken.desktop"))), QString());
    BrowserSources slow = sources(QStringLiteral("slow.desktop"));
    slow.timeoutMs = 200;
    entry(QStringLiteral("slow.desktop"),
          QStringLiteral("[Desktop Entry]\nExec=") +
              script(QStringLiteral("slow"), QStringLiteral("exec sleep 5\n")) +
              QStringLiteral("\n"));
    EXPECT_EQ(defaultBrowserVersion(slow), QString());
}

}  // namespace
}  // namespace telmora
