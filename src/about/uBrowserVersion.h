#pragma once
// The default web browser's name and version, as the browser itself prints them for
// "--version" (for example "Mozilla Firefox 115.6.0esr").

#include <QString>
#include <QStringList>
#include <functional>

namespace telmora {

struct BrowserSources {
    // The desktop entry of the default browser (for example "firefox-esr.desktop"); empty:
    // "xdg-settings get default-web-browser".
    std::function<QString()> defaultDesktopId;
    // Folders of desktop entries; empty: the "applications" folders of the XDG data dirs.
    QStringList applicationDirs;
    // Used when no desktop entry names the browser: Debian's alternative.
    QString fallbackProgram = QStringLiteral("x-www-browser");
    int timeoutMs = 3000;
};

// Empty when there is no default browser or it gives no version.
QString defaultBrowserVersion(const BrowserSources& sources = {});

// The first line a browser printed for --version, as shown: without the build details, and
// with the browser's name in front when it printed only the number.
QString versionLine(const QString& output, const QString& browserName);

}  // namespace telmora
