#include "uPages.h"

namespace telmora {

QString pageDateText(DateTime value) {
    const TimeOfDay t = decodeTime(value);
    if (t.hour == 0 && t.minute == 0 && t.second == 0) return dayText(value);
    return displayText(value);
}

QString pageLine(DateTime data, const QString& url) {
    return pageDateText(data) + QStringLiteral("  ") + url;
}

QString PageTextOfLine(const QString& line) {
    const qsizetype quote = line.indexOf(QLatin1Char('"'));
    return quote < 0 ? line : line.mid(quote);
}

void OpenPage(IShellOpen& shell, IMessages& messages, const QString& text) {
    if (const auto failure = shell.open(text)) {
        messages.error(QStringLiteral("Impossibile aprire la pagina selezionata. Errore ") +
                       QString::number(*failure));
    }
}

}  // namespace telmora
