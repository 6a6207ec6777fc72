#include "uRasMonitor.h"

#include <QTimer>
#include <optional>

#include "uError.h"

namespace telmora {

namespace {

// Whether the first monitor of the process found the dial-up library; empty until it tried.
std::optional<bool> rasApiLoadResult;

}  // namespace

bool LoadRasApi(IDialUp& dialUp) {
    if (!rasApiLoadResult) rasApiLoadResult = dialUp.load();
    return *rasApiLoadResult;
}

void ResetRasApiLoad() {
    rasApiLoadResult.reset();
}

TRasMonitor::TRasMonitor(IDialUp& dialUp, IHostInfo& host, QObject* parent)
    : QObject(parent), dialUp_(dialUp), host_(host), pollTimer_(new QTimer(this)) {
    pollTimer_->setObjectName(QStringLiteral("PollTimer"));
    pollTimer_->setInterval(kDefaultPollInterval);
    connect(pollTimer_, &QTimer::timeout, this, &TRasMonitor::PollConnections);
    localIp_ = GetLocalIP();
    localHost_ = GetLocalHost();
    rasApiLoaded_ = LoadRasApi(dialUp_);
}

TRasMonitor::~TRasMonitor() {
    pollTimer_->stop();
}

void TRasMonitor::setEnabled(bool value) {
    if (!rasApiLoaded_) {
        throw Error(QStringLiteral("TRasMonitor"),
                    QStringLiteral("RASAPI Not Loaded, unable to access RAS Functions"));
    }
    if (value == enabled_) return;
    enabled_ = value;
    if (value) {
        pollTimer_->setInterval(pollInterval_);
        pollTimer_->start();
    } else {
        pollTimer_->stop();
    }
}

void TRasMonitor::PollConnections() {
    details_.clear();

    std::array<RasConnEntry, IDialUp::kMaxEntries> entries;
    int count = 0;
    if (dialUp_.enumConnections(entries, count) != 0 || count <= 0) {
        // A failed enumeration ends the connection too: the session so far must be written, and
        // a connection found again later is a new one.
        if (online_) goOffline();
        return;
    }

    // Only the first connection is described, however many there are.
    const RasConnEntry& first = entries[0];
    currentConnection_ = first.handle;
    const RasConnStatus status = dialUp_.connectStatus(first.handle);
    const QString statusText = StatusToText(status.state, status.error);
    fillFromEntry(first, statusText);

    // While online nothing is raised for as long as any connection is enumerated.
    if (online_) return;

    if (status.state == IDialUp::kConnected) {
        online_ = true;
        fillProjection(first.handle);
        if (OnRasConnected) OnRasConnected(*this, details_);
    }
    if (!statusText.isEmpty() && OnRasStatusChanged) {
        OnRasStatusChanged(*this, details_, statusText);
    }
}

void TRasMonitor::goOffline() {
    online_ = false;
    if (OnRasDisconnected) OnRasDisconnected(*this, details_);
}

void TRasMonitor::fillFromEntry(const RasConnEntry& entry, const QString& statusText) {
    details_.StatusText = statusText.left(TRasConnectionDetails::kStatusTextMax);
    details_.RasConn = entry.handle;
    TRasConnectionDetails::copyText(details_.EntryName, entry.entryName);
    TRasConnectionDetails::copyText(details_.DeviceType, entry.deviceType);
    TRasConnectionDetails::copyText(details_.DeviceName, entry.deviceName);
}

void TRasMonitor::fillProjection(std::uint32_t handle) {
    RasPppIp projection;
    if (dialUp_.pppIpProjection(handle, projection) != 0) return;
    TRasConnectionDetails::copyText(details_.IPAddress, projection.clientIp);
    TRasConnectionDetails::copyText(details_.ServerIPAddress, projection.serverIp);
}

QString TRasMonitor::GetLocalIP() {
    const std::optional<std::array<std::uint8_t, 4>> address = host_.localAddress();
    if (!address) return {};
    const auto& b = *address;
    return QStringLiteral("%1.%2.%3.%4").arg(b[0]).arg(b[1]).arg(b[2]).arg(b[3]);
}

QString TRasMonitor::GetLocalHost() {
    const std::optional<std::string> name = host_.hostName();
    return name ? QString::fromLocal8Bit(name->c_str()) : QString();
}

}  // namespace telmora
