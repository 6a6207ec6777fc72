#pragma once
// The dial-up connection monitor: polls the dial-up service on the main thread, keeps the
// Online flag and the record of the first connection, and tells when a connection comes up and
// when it goes away. It also answers the local host name and address.

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

#include "IDialUp.h"
#include "IHostInfo.h"
#include "uRasConnectionDetails.h"

class QTimer;

namespace telmora {

class TRasMonitor;

// Handlers get the record by value: their copy stays as it was when the event was raised.
using TRasNotifyEvent = std::function<void(TRasMonitor& sender, TRasConnectionDetails details)>;
using TRasStatusNotifyEvent =
    std::function<void(TRasMonitor& sender, TRasConnectionDetails details, QString status)>;

// The text of a connection state; any non-zero error code reads "ERRROR", an unknown state is
// the empty text.
QString StatusToText(std::uint32_t state, std::uint32_t error);

// Opens the dial-up library once per process; later calls answer what the first one found.
bool LoadRasApi(IDialUp& dialUp);
// Forgets that a load was attempted, so that the next monitor loads again (tests only).
void ResetRasApiLoad();

class TRasMonitor : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(int PollInterval READ PollInterval WRITE setPollInterval)
    Q_PROPERTY(bool Online READ Online)
    Q_PROPERTY(bool RasApiLoaded READ RasApiLoaded)
    Q_PROPERTY(QString LocalIP READ LocalIP)
    Q_PROPERTY(QString LocalHost READ LocalHost)

public:
    static constexpr int kDefaultPollInterval = 1000;

    TRasMonitor(IDialUp& dialUp, IHostInfo& host, QObject* parent = nullptr);
    ~TRasMonitor() override;

    bool Enabled() const { return enabled_; }
    // Throws Error when the dial-up library is not loaded, whatever the value.
    void setEnabled(bool value);
    int PollInterval() const { return pollInterval_; }
    // Read when polling is next switched on.
    void setPollInterval(int milliseconds) { pollInterval_ = milliseconds; }

    bool Online() const { return online_; }
    bool RasApiLoaded() const { return rasApiLoaded_; }
    // The address and host name when the monitor was created.
    const QString& LocalIP() const { return localIp_; }
    const QString& LocalHost() const { return localHost_; }

    const TRasConnectionDetails& ConnectionDetails() const { return details_; }
    std::uint32_t CurrentConnection() const { return currentConnection_; }

    // One poll of the dial-up service; the timer calls it, tests may call it directly.
    void PollConnections();

    // Asked afresh at every call. The address is the one the host reports in use (see
    // IHostInfo::localAddress), empty when it has none.
    QString GetLocalIP();
    QString GetLocalHost();

    TRasNotifyEvent OnRasConnected;
    TRasNotifyEvent OnRasDisconnected;
    TRasStatusNotifyEvent OnRasStatusChanged;

private:
    void goOffline();
    void fillFromEntry(const RasConnEntry& entry, const QString& statusText);
    void fillProjection(std::uint32_t handle);

    IDialUp& dialUp_;
    IHostInfo& host_;
    QTimer* pollTimer_;
    bool enabled_ = false;
    int pollInterval_ = kDefaultPollInterval;
    bool online_ = false;
    bool rasApiLoaded_ = false;
    QString localIp_;
    QString localHost_;
    std::uint32_t currentConnection_ = 0;
    TRasConnectionDetails details_;
};

}  // namespace telmora
