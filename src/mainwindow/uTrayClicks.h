#pragma once
// How the notification area reports a click on the icon, and which activations open the window.
// The StatusNotifierItem trays (KDE Plasma, GNOME's AppIndicator extension) send one activation
// per click and never a double click; the XEmbed trays report a double click as such.

#include <QSystemTrayIcon>
#include <QtGlobal>
#include <optional>

class QDBusConnection;

namespace telmora {

enum class TrayClicks { DoubleReported, SingleOnly };

// What Qt goes by when it picks its D-Bus tray: a StatusNotifierWatcher on the bus that has a
// host registered. Without a bus the tray is an XEmbed one.
TrayClicks trayClicksOn(const QDBusConnection& bus);
TrayClicks sessionTrayClicks();

// Tells which activations ask for the window: a double click, and on a tray that reports single
// activations only, a single one. Such a tray turns a double click into two activations: one
// that comes within repeatMs of the one that opened is part of the same gesture and opens
// nothing more.
class TrayActivationFilter {
public:
    TrayActivationFilter(TrayClicks clicks, int repeatMs) : clicks_(clicks), repeatMs_(repeatMs) {}

    bool opens(QSystemTrayIcon::ActivationReason reason, qint64 nowMs);
    TrayClicks clicks() const { return clicks_; }

private:
    TrayClicks clicks_;
    int repeatMs_;
    std::optional<qint64> lastOpen_;
};

}  // namespace telmora
