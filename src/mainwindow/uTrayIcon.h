#pragma once
// The notification-area icon: the program icon with its tooltip and popup menu, the connected
// animation over eleven frames, and balloon notices.

#include <QElapsedTimer>
#include <QIcon>
#include <QObject>
#include <QTimer>
#include <vector>

#include "ITrayNotices.h"
#include "uTrayClicks.h"

class QMenu;
class QSystemTrayIcon;

namespace telmora {

// Which picture the tray shows: the program icon until the first connection, then the
// animation frames. Kept apart from the tray so it can be checked without one.
class TrayAnimation : public QObject {
    Q_OBJECT
public:
    static constexpr int kFrames = 11;
    static constexpr int kIntervalMs = 500;

    explicit TrayAnimation(QObject* parent = nullptr);

    void start();  // frame 0 at once, then one frame every 500 ms, wrapping after frame 10
    void stop();   // still on frame 0
    void advance();
    bool cycling() const { return timer_.isActive(); }
    // -1 while the program icon shows.
    int frame() const { return frame_; }

signals:
    void frameChanged(int frame);

private:
    QTimer timer_;
    int frame_ = -1;
};

class TrayIcon final : public QObject, public ITrayNotices {
    Q_OBJECT
public:
    static constexpr int kTipMax = 127;

    // Asks the session bus what kind of tray the desktop has.
    explicit TrayIcon(QMenu* popupMenu, QObject* parent = nullptr);
    TrayIcon(QMenu* popupMenu, TrayClicks clicks, QObject* parent = nullptr);

    void showBalloon(const QString& title, const QString& text, BalloonIcon icon,
                     int seconds) override;
    void hideBalloon() override;
    void setAnimating(bool on) override;

    // Balloons need no switch with this tray; kept so the start-up step has its place.
    void useNewTrayBehaviour() { newBehaviour_ = true; }
    bool available() const;
    const TrayAnimation& animation() const { return animation_; }
    QSystemTrayIcon* icon() const { return tray_; }
    TrayClicks clicks() const { return activations_.clicks(); }

signals:
    // The icon asks for the window: a double click, or a single activation on a tray that
    // reports no double clicks.
    void doubleClicked();

private:
    void showFrame(int frame);
    void keepIconShown();
    void activated(QSystemTrayIcon::ActivationReason reason);

    QSystemTrayIcon* tray_;
    TrayAnimation animation_;
    QIcon programIcon_;
    std::vector<QIcon> frames_;
    QTimer watch_;
    TrayActivationFilter activations_;
    QElapsedTimer sinceStart_;
    bool newBehaviour_ = false;
};

}  // namespace telmora
