#include "uTrayClicks.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>

namespace telmora {

namespace {
const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
}  // namespace

TrayClicks trayClicksOn(const QDBusConnection& bus) {
    if (!bus.isConnected() || bus.interface() == nullptr) return TrayClicks::DoubleReported;
    if (!bus.interface()->isServiceRegistered(kWatcherService).value()) {
        return TrayClicks::DoubleReported;
    }
    QDBusInterface watcher(kWatcherService, kWatcherPath, kWatcherService, bus);
    if (!watcher.isValid()) return TrayClicks::DoubleReported;
    return watcher.property("IsStatusNotifierHostRegistered").toBool() ? TrayClicks::SingleOnly
                                                                       : TrayClicks::DoubleReported;
}

TrayClicks sessionTrayClicks() {
    return trayClicksOn(QDBusConnection::sessionBus());
}

bool TrayActivationFilter::opens(QSystemTrayIcon::ActivationReason reason, qint64 nowMs) {
    const bool asks = reason == QSystemTrayIcon::DoubleClick ||
                      (reason == QSystemTrayIcon::Trigger && clicks_ == TrayClicks::SingleOnly);
    if (!asks) return false;
    if (lastOpen_ && nowMs - *lastOpen_ < repeatMs_) return false;
    lastOpen_ = nowMs;
    return true;
}

}  // namespace telmora
