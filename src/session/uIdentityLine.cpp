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

void MainSession::setIdentity(const QString& connection, const QString& device, const QString& ip) {
    emit identityChanged(connection, device, ip);
}

void MainSession::showDialUpIdentity() {
    const TRasConnectionDetails& d = ras_.ConnectionDetails();
    setIdentity(QStringLiteral("Connessione: ") + d.entryName(),
                d.deviceType() + QLatin1Char(' ') + d.deviceName(),
                QStringLiteral("IP: ") + ras_.GetLocalIP() + QStringLiteral("  HOST: ") +
                    ras_.GetLocalHost());
}

void MainSession::refreshIdentityLines() {
    std::uint32_t flags = 0;
    if (platform_.internet->connectedState(flags)) {
        const std::uint32_t kind = connectionKind(flags);
        if (kind != kConnLan && kind != kConnProxy) return;
        if (!lanShown_) {
            const QString mac = hardwareAddress();
            setIdentity(kind == kConnLan ? QStringLiteral("Connessione: LAN")
                                         : QStringLiteral("Connessione: PROXY"),
                        QStringLiteral("MAC ADDRESS: ") + mac,
                        QStringLiteral("LOCAL IP: ") + ras_.GetLocalIP() +
                            QStringLiteral("  HOST: ") + ras_.GetLocalHost());
            lanShown_ = true;
            emit connectionStateChanged();
            linkUp(LinkKind::LanOrProxy);
        }
        return;
    }
    // No connection: the lines stay empty and whatever followed a link stops.
    const bool wasShown = lanShown_ || linkAnnounced_;
    lanShown_ = false;
    lastUrl_.clear();
    if (!wasShown) return;
    setIdentity({}, {}, {});
    emit connectionStateChanged();
    linkDown(LinkKind::LanOrProxy);
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
