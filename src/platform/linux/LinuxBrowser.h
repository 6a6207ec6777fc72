#pragma once
// The default browser on Linux: its name from xdg-settings (the desktop entry without
// ".desktop"), else the x-www-browser alternative; its page by its family, from Firefox's
// session file or Chromium's debugging endpoint.

#include <QStringList>

#include "IBrowser.h"
#include "LinuxBrowserChromium.h"

namespace telmora {

struct BrowserPlaces {
    QString xdgSettings = QStringLiteral("xdg-settings");
    QString xWwwBrowser = QStringLiteral("/usr/bin/x-www-browser");
    QStringList firefoxRoots;  // empty: firefoxProfileRoots()
    quint16 chromiumPort = kChromiumDebugPort;
    int timeoutMs = kBrowserAnswerTimeoutMs;
};

class LinuxBrowser final : public IBrowser {
public:
    explicit LinuxBrowser(BrowserPlaces places = {});

    QString DefaultBrowserName() override;
    QString RequestBrowserWindowInfo(const QString& service) override;

private:
    BrowserPlaces places_;
};

}  // namespace telmora
