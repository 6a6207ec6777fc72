#include "LinuxBrowser.h"

#include <QFileInfo>
#include <QProcess>

#include "LinuxBrowserAnswer.h"
#include "LinuxBrowserFirefox.h"

namespace telmora {
namespace {

constexpr int kXdgSettingsTimeoutMs = 3000;

QString fromXdgSettings(const QString& program) {
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, {QStringLiteral("get"), QStringLiteral("default-web-browser")});
    if (!process.waitForStarted(kXdgSettingsTimeoutMs)) return {};
    if (!process.waitForFinished(kXdgSettingsTimeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) return {};
    QString name = QString::fromUtf8(process.readAllStandardOutput().left(4096))
                       .section(QLatin1Char('\n'), 0, 0)
                       .trimmed();
    if (name.endsWith(QLatin1String(".desktop"))) name.chop(8);
    return name;
}

// The program the alternative finally points to, by its file name.
QString fromAlternative(const QString& link) {
    const QFileInfo info(link);
    if (!info.exists()) return {};
    return QFileInfo(info.canonicalFilePath()).fileName();
}

}  // namespace

LinuxBrowser::LinuxBrowser(BrowserPlaces places) : places_(std::move(places)) {
    if (places_.firefoxRoots.isEmpty()) places_.firefoxRoots = firefoxProfileRoots();
}

QString LinuxBrowser::DefaultBrowserName() {
    const QString name = fromXdgSettings(places_.xdgSettings);
    return name.isEmpty() ? fromAlternative(places_.xWwwBrowser) : name;
}

QString LinuxBrowser::RequestBrowserWindowInfo(const QString& service) {
    switch (browserFamily(service)) {
        case BrowserFamily::Firefox:
            return firefoxAnswer(places_.firefoxRoots);
        case BrowserFamily::Chromium:
            return chromiumAnswer(places_.chromiumPort, places_.timeoutMs);
        case BrowserFamily::Unknown:
            break;
    }
    return {};
}

}  // namespace telmora
