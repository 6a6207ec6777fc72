// The default browser's name and the request by family, on Linux and simulated.

#include "LinuxBrowser.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>

#include "SimBrowser.h"
#include "WebTestSupport.h"

namespace telmora {
namespace {

class DefaultName : public ::testing::Test {
protected:
    QString script(const QString& body) {
        const QString path = dir.filePath(QStringLiteral("xdg-settings"));
        test::writeFile(path, ("#!/bin/sh\n" + body + "\n").toUtf8());
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
    QString alternative(const QString& program) {
        const QString target = dir.filePath(program);
        test::writeFile(target, "#!/bin/sh\n");
        const QString link = dir.filePath(QStringLiteral("x-www-browser"));
        QFile::link(target, link);
        return link;
    }
    QTemporaryDir dir;
};

TEST_F(DefaultName, FromXdgSettingsThenTheAlternative) {
    BrowserPlaces places;
    places.xdgSettings = script(QStringLiteral("echo chromium.desktop"));
    places.xWwwBrowser = dir.filePath(QStringLiteral("none"));
    EXPECT_EQ(LinuxBrowser(places).DefaultBrowserName(), QStringLiteral("chromium"));

    places.xdgSettings = script(QStringLiteral("echo oops; exit 1"));
    EXPECT_EQ(LinuxBrowser(places).DefaultBrowserName(), QString());
    places.xWwwBrowser = alternative(QStringLiteral("firefox-esr"));
    EXPECT_EQ(LinuxBrowser(places).DefaultBrowserName(), QStringLiteral("firefox-esr"));

    places.xdgSettings = dir.filePath(QStringLiteral("no-such-program"));
    EXPECT_EQ(LinuxBrowser(places).DefaultBrowserName(), QStringLiteral("firefox-esr"));
}

TEST_F(DefaultName, RequestGoesByFamily) {
    const QString root = dir.filePath(QStringLiteral("ff"));
    test::writeFile(root + QStringLiteral("/profiles.ini"),
                    "[Profile0]\nIsRelative=1\nPath=p\nDefault=1\n");
    test::writeFile(
        root + QStringLiteral("/p/sessionstore-backups/recovery.jsonlz4"),
        test::mozLz4(test::sessionJson(QStringLiteral("http://f/"), QStringLiteral("F"))));
    test::OneShotServer chromium(
        test::httpReply(R"([{"type":"page","url":"http://c/","title":"C"}])"));
    BrowserPlaces places;
    places.firefoxRoots = {root};
    places.chromiumPort = chromium.port();
    places.timeoutMs = 2000;
    LinuxBrowser browser(places);
    EXPECT_EQ(browser.RequestBrowserWindowInfo(QStringLiteral("firefox-esr")),
              QStringLiteral("\"http://f/\",\"F\""));
    EXPECT_EQ(browser.RequestBrowserWindowInfo(QStringLiteral("chromium")),
              QStringLiteral("\"http://c/\",\"C\""));
    EXPECT_EQ(browser.RequestBrowserWindowInfo(QStringLiteral("epiphany")), QString());
    EXPECT_EQ(browser.RequestBrowserWindowInfo(QString()), QString());
}

TEST(SimulatedBrowser, AnswersFromTheControlFile) {
    QTemporaryDir dir;
    SimControl control(dir.path());
    SimBrowser browser(control);
    EXPECT_EQ(browser.DefaultBrowserName(), QString());
    control.set(QStringLiteral("browser"), QStringLiteral("name"), QStringLiteral("firefox"));
    EXPECT_EQ(browser.DefaultBrowserName(), QStringLiteral("firefox"));
    EXPECT_EQ(browser.RequestBrowserWindowInfo(QStringLiteral("firefox")), QString());
    control.set(QStringLiteral("browser"), QStringLiteral("answer"),
                QStringLiteral("\"http://s/\",\"S\""));
    EXPECT_EQ(browser.RequestBrowserWindowInfo(QStringLiteral("firefox")),
              QStringLiteral("\"http://s/\",\"S\""));
    EXPECT_EQ(browser.RequestBrowserWindowInfo(QString()), QString());
}

}  // namespace
}  // namespace telmora
