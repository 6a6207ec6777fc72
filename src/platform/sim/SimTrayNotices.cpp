#include "SimTrayNotices.h"

namespace telmora {
namespace {

QString iconName(BalloonIcon icon) {
    switch (icon) {
        case BalloonIcon::Info:
            return QStringLiteral("info");
        case BalloonIcon::Warning:
            return QStringLiteral("warning");
        case BalloonIcon::Error:
            return QStringLiteral("error");
        case BalloonIcon::None:
            break;
    }
    return QStringLiteral("none");
}

}  // namespace

void SimTrayNotices::showBalloon(const QString& title, const QString& text, BalloonIcon icon,
                                 int seconds) {
    log_.write(QStringLiteral("balloon %1|%2|%3|%4").arg(title, text, iconName(icon)).arg(seconds));
    real_.showBalloon(title, text, icon, seconds);
}

void SimTrayNotices::hideBalloon() {
    real_.hideBalloon();
}

void SimTrayNotices::setAnimating(bool on) {
    log_.write(on ? QStringLiteral("tray animate on") : QStringLiteral("tray animate off"));
    real_.setAnimating(on);
}

}  // namespace telmora
