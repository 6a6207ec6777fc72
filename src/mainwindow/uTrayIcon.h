#pragma once
// The notification-area icon: the program icon with its tooltip and popup menu, the connected
// animation over eleven frames, and balloon notices.

#include <QIcon>
#include <QObject>
#include <QTimer>
#include <vector>

#include "ITrayNotices.h"

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

    TrayIcon(QMenu* popupMenu, QObject* parent = nullptr);

    void showBalloon(const QString& title, const QString& text, BalloonIcon icon,
                     int seconds) override;
    void hideBalloon() override;
    void setAnimating(bool on) override;

    // Balloons need no switch with this tray; kept so the start-up step has its place.
    void useNewTrayBehaviour() { newBehaviour_ = true; }
    bool available() const;
    const TrayAnimation& animation() const { return animation_; }
    QSystemTrayIcon* icon() const { return tray_; }

signals:
    void doubleClicked();

private:
    void showFrame(int frame);
    void keepIconShown();

    QSystemTrayIcon* tray_;
    TrayAnimation animation_;
    QIcon programIcon_;
    std::vector<QIcon> frames_;
    QTimer watch_;
    bool newBehaviour_ = false;
};

}  // namespace telmora
