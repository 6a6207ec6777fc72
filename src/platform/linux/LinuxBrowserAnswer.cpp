#include "LinuxBrowserAnswer.h"

#include <QStringList>

namespace telmora {

BrowserFamily browserFamily(const QString& name) {
    const QString n = name.toLower();
    static const QStringList firefox = {QStringLiteral("firefox"), QStringLiteral("iceweasel")};
    static const QStringList chromium = {QStringLiteral("chromium"), QStringLiteral("chrome"),
                                         QStringLiteral("brave"),    QStringLiteral("vivaldi"),
                                         QStringLiteral("opera"),    QStringLiteral("edge")};
    for (const QString& word : firefox) {
        if (n.contains(word)) return BrowserFamily::Firefox;
    }
    for (const QString& word : chromium) {
        if (n.contains(word)) return BrowserFamily::Chromium;
    }
    return BrowserFamily::Unknown;
}

QString browserAnswer(const QString& url, const QString& title) {
    if (url.isEmpty()) return {};
    auto quoted = [](QString text) {
        text.replace(QLatin1Char('"'), QLatin1String("\"\""));
        return QLatin1Char('"') + text + QLatin1Char('"');
    };
    QString answer = quoted(url) + QLatin1Char(',') + quoted(title);
    const qsizetype nul = answer.indexOf(QChar(u'\0'));
    if (nul >= 0) answer.truncate(nul);
    return answer;
}

}  // namespace telmora
