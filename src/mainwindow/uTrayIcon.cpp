#include "uTrayIcon.h"

#include <QApplication>
#include <QMenu>
#include <QStyleHints>
#include <QSystemTrayIcon>

namespace telmora {

TrayAnimation::TrayAnimation(QObject* parent) : QObject(parent) {
    timer_.setInterval(kIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &TrayAnimation::advance);
}

void TrayAnimation::start() {
    frame_ = 0;
    emit frameChanged(frame_);
    timer_.start();
}

void TrayAnimation::stop() {
    timer_.stop();
    frame_ = 0;
    emit frameChanged(frame_);
}

void TrayAnimation::advance() {
    frame_ = (frame_ + 1) % kFrames;
    emit frameChanged(frame_);
}

TrayIcon::TrayIcon(QMenu* popupMenu, QObject* parent)
    : TrayIcon(popupMenu, sessionTrayClicks(), parent) {}

TrayIcon::TrayIcon(QMenu* popupMenu, TrayClicks clicks, QObject* parent)
    : QObject(parent),
      tray_(new QSystemTrayIcon(this)),
      programIcon_(QStringLiteral(":/icons/telmora.svg")),
      activations_(clicks, QApplication::styleHints()->mouseDoubleClickInterval()) {
    sinceStart_.start();
    for (int i = 0; i < TrayAnimation::kFrames; ++i) {
        frames_.emplace_back(
            QStringLiteral(":/frames/frame%1.svg").arg(i, 2, 10, QLatin1Char('0')));
    }
    tray_->setIcon(programIcon_);
    tray_->setToolTip(QStringLiteral("Telmora").left(kTipMax));
    tray_->setContextMenu(popupMenu);
    connect(tray_, &QSystemTrayIcon::activated, this, &TrayIcon::activated);
    connect(&animation_, &TrayAnimation::frameChanged, this, &TrayIcon::showFrame);
    tray_->show();
    // When the notification area comes back (its host restarted), the icon is added again.
    watch_.setInterval(2000);
    connect(&watch_, &QTimer::timeout, this, &TrayIcon::keepIconShown);
    watch_.start();
}

bool TrayIcon::available() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::activated(QSystemTrayIcon::ActivationReason reason) {
    if (activations_.opens(reason, sinceStart_.elapsed())) emit doubleClicked();
}

void TrayIcon::keepIconShown() {
    if (available() && !tray_->isVisible()) tray_->show();
}

void TrayIcon::showFrame(int frame) {
    tray_->setIcon(frame < 0 ? programIcon_ : frames_[static_cast<size_t>(frame)]);
}

void TrayIcon::setAnimating(bool on) {
    if (on) {
        animation_.start();
    } else {
        animation_.stop();
    }
}

void TrayIcon::showBalloon(const QString& title, const QString& text, BalloonIcon icon,
                           int seconds) {
    QSystemTrayIcon::MessageIcon kind = QSystemTrayIcon::NoIcon;
    switch (icon) {
        case BalloonIcon::Info:
            kind = QSystemTrayIcon::Information;
            break;
        case BalloonIcon::Warning:
            kind = QSystemTrayIcon::Warning;
            break;
        case BalloonIcon::Error:
            kind = QSystemTrayIcon::Critical;
            break;
        case BalloonIcon::None:
            break;
    }
    tray_->showMessage(title, text, kind, seconds * 1000);
}

void TrayIcon::hideBalloon() {
    // Qt offers no call that withdraws a message. On an XEmbed tray it draws the balloon itself,
    // as a window of its own, and that window can be closed. On the other trays the message went
    // to the desktop's notification server, which only lets it run out: nothing is sent then,
    // since a replacement message, even an empty one, would be shown as a notice of its own.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->inherits("QBalloonTip") && window->isVisible()) window->close();
    }
}

}  // namespace telmora
