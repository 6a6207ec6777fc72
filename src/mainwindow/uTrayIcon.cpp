#include "uTrayIcon.h"

#include <QMenu>
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
    : QObject(parent),
      tray_(new QSystemTrayIcon(this)),
      programIcon_(QStringLiteral(":/icons/telmora.svg")) {
    for (int i = 0; i < TrayAnimation::kFrames; ++i) {
        frames_.emplace_back(
            QStringLiteral(":/frames/frame%1.svg").arg(i, 2, 10, QLatin1Char('0')));
    }
    tray_->setIcon(programIcon_);
    tray_->setToolTip(QStringLiteral("Telmora").left(kTipMax));
    tray_->setContextMenu(popupMenu);
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::DoubleClick) emit doubleClicked();
    });
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
    // Qt has no call to withdraw a message: an empty one with the shortest life replaces it.
    tray_->showMessage(QString(), QString(), QSystemTrayIcon::NoIcon, 1);
}

}  // namespace telmora
