#pragma once
// What the tray icon shows outward: balloon notices and the connected animation.

#include <QString>

namespace telmora {

enum class BalloonIcon { None, Info, Warning, Error };

class ITrayNotices {
public:
    virtual ~ITrayNotices() = default;
    virtual void showBalloon(const QString& title, const QString& text, BalloonIcon icon,
                             int seconds) = 0;
    virtual void hideBalloon() = 0;
    virtual void setAnimating(bool on) = 0;
};

inline constexpr int kBalloonTitleMax = 63;
inline constexpr int kBalloonTextMax = 255;

// A balloon notice with the title and text cut to what the notification area takes.
inline void showBalloonTip(ITrayNotices& tray, const QString& title, const QString& text,
                           BalloonIcon icon, int seconds) {
    tray.showBalloon(title.left(kBalloonTitleMax), text.left(kBalloonTextMax), icon, seconds);
}

}  // namespace telmora
