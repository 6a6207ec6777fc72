// The tray icon's connected animation: the frame sequence without a tray, and the pictures the
// real icon shows through a connection.

#include <QElapsedTimer>
#include <QEventLoop>
#include <QSystemTrayIcon>
#include <QTimer>

#include "WindowFixture.h"
#include "uTrayIcon.h"

namespace telmora::test {
namespace {

// The frames an animation shows, as it shows them.
struct FrameRecord {
    explicit FrameRecord(const TrayAnimation& animation) {
        QObject::connect(&animation, &TrayAnimation::frameChanged, &guard,
                         [this](int frame) { frames << frame; });
    }
    // Runs the event loop until the next frame; false when none came in time.
    bool waitNext(int milliseconds = 3000) {
        const qsizetype before = frames.size();
        QEventLoop loop;
        QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (frames.size() > before) loop.quit();
        });
        poll.start(5);
        loop.exec();
        return frames.size() > before;
    }
    QObject guard;
    QList<int> frames;
};

TEST(TrayAnimationTest, FramesWrapAfterTheLastAndStopOnTheFirst) {
    TrayAnimation animation;
    FrameRecord shown(animation);
    EXPECT_EQ(animation.frame(), -1);  // the program icon
    EXPECT_FALSE(animation.cycling());

    animation.start();
    EXPECT_TRUE(animation.cycling());
    QList<int> frames;
    for (int i = 0; i < 12; ++i) {
        frames << animation.frame();
        animation.advance();
    }
    EXPECT_EQ(frames, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0}));
    EXPECT_EQ(shown.frames, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 1}));

    animation.stop();
    EXPECT_FALSE(animation.cycling());
    EXPECT_EQ(animation.frame(), 0);
    EXPECT_EQ(shown.frames.last(), 0);
}

TEST(TrayAnimationTest, FramesFollowEveryHalfSecond) {
    TrayAnimation animation;
    FrameRecord shown(animation);
    QElapsedTimer clock;
    clock.start();
    animation.start();
    ASSERT_TRUE(shown.waitNext());    // frame 0 came at once; this is frame 1
    EXPECT_GE(clock.elapsed(), 450);  // coarse timers may fire 5 % early
    EXPECT_EQ(animation.frame(), 1);
    animation.stop();
}

using TrayIconTest = WindowFixture;

TEST_F(TrayIconTest, ProgramIconUntilTheFirstConnectionThenTheFirstFrame) {
    const QImage program = picture(QIcon(QStringLiteral(":/icons/telmora.svg")));
    const QImage first = picture(QIcon(QStringLiteral(":/frames/frame00.svg")));
    ASSERT_FALSE(program.isNull());
    ASSERT_FALSE(first.isNull());
    ASSERT_NE(program, first);
    const QSystemTrayIcon& icon = *app->trayIcon().icon();
    EXPECT_EQ(icon.toolTip(), QStringLiteral("Telmora"));
    EXPECT_EQ(picture(icon.icon()), program);

    dialUpOnline();
    EXPECT_TRUE(app->trayIcon().animation().cycling());
    EXPECT_EQ(picture(icon.icon()), first);
    FrameRecord shown(app->trayIcon().animation());
    ASSERT_TRUE(shown.waitNext());
    EXPECT_EQ(picture(icon.icon()), picture(QIcon(QStringLiteral(":/frames/frame01.svg"))));

    dialUpOffline();
    EXPECT_FALSE(app->trayIcon().animation().cycling());
    EXPECT_EQ(picture(icon.icon()), first);
}

}  // namespace
}  // namespace telmora::test

namespace telmora::test {
namespace {

TEST(BalloonTipTest, TitleAndTextAreCutToWhatTheNotificationAreaTakes) {
    FakeTray tray;
    showBalloonTip(tray, QString(70, QLatin1Char('t')), QString(300, QLatin1Char('x')),
                   BalloonIcon::Info, 10);
    showBalloonTip(tray, QStringLiteral("Telmora. Avviso"), QStringLiteral("breve"),
                   BalloonIcon::Warning, 10);
    ASSERT_EQ(tray.log.size(), 2);
    EXPECT_EQ(tray.log[0], QStringLiteral("balloon %1|%2|1|10")
                               .arg(QString(63, QLatin1Char('t')), QString(255, QLatin1Char('x'))));
    EXPECT_EQ(tray.log[1], QStringLiteral("balloon Telmora. Avviso|breve|2|10"));
}

}  // namespace
}  // namespace telmora::test
