// The three lines that tell how the PC reaches the Internet right now.

#include "uMainSession.h"

namespace telmora {
namespace {

const QString kAllZero = QStringLiteral("00-00-00-00-00-00");

// The kind is the last flag set in the order modem, LAN, proxy, modem busy.
std::uint32_t connectionKind(std::uint32_t flags) {
    std::uint32_t kind = 0;
    for (const std::uint32_t f : {kConnModem, kConnLan, kConnProxy, kConnModemBusy}) {
        if (flags & f) kind = f;
    }
    return kind;
}

QString formatAddress(const std::array<std::uint8_t, 6>& a) {
    QStringList parts;
    for (const std::uint8_t b : a)
        parts << QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(QLatin1Char('-'));
}

}  // namespace

void MainSession::showDialUpIdentity() {
    const TRasConnectionDetails& d = ras.ConnectionDetails();
    view_.setIdentityLines(QStringLiteral("Connessione: ") + d.entryName(),
                           d.deviceType() + QLatin1Char(' ') + d.deviceName(),
                           QStringLiteral("IP: ") + ras.GetLocalIP() + QStringLiteral("  HOST: ") +
                               ras.GetLocalHost());
}

void MainSession::clearIdentityLines() {
    view_.setIdentityLines({}, {}, {});
}

void MainSession::refreshIdentityLines() {
    std::uint32_t flags = 0;
    if (platform_.internet->connectedState(flags)) {
        const std::uint32_t kind = connectionKind(flags);
        if (kind != kConnLan && kind != kConnProxy) return;
        if (!lanShown) {
            const QString mac = hardwareAddress();
            view_.setIdentityLines(kind == kConnLan ? QStringLiteral("Connessione: LAN")
                                                    : QStringLiteral("Connessione: PROXY"),
                                   QStringLiteral("MAC ADDRESS: ") + mac,
                                   QStringLiteral("LOCAL IP: ") + ras.GetLocalIP() +
                                       QStringLiteral("  HOST: ") + ras.GetLocalHost());
            view_.repaintStatusBar();
            if (options.tracciaweb && onStartPageCapture) onStartPageCapture();
            startAnimation();
        }
        lanShown = true;
        return;
    }
    lanShown = false;
    clearIdentityLines();
    view_.repaintStatusBar();
    timerurl.stop();
    lastUrl.clear();
    stopAnimation();
}

// The first adapter whose address reads; an all-zero address lets the search go on, an adapter
// that cannot be read ends it with an empty text.
QString MainSession::hardwareAddress() {
    IAdapters& adapters = *platform_.adapters;
    const int count = adapters.count();
    QString result;
    int tried = 0;
    do {
        if (const auto address = adapters.hardwareAddress(tried)) result = formatAddress(*address);
        ++tried;
    } while (tried < count && result == kAllZero);
    return result;
}

}  // namespace telmora
