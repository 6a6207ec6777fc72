// The tray icon's connected animation: the frame sequence without a tray, and the pictures the
// real icon shows through a connection. Which activations open the window on each kind of tray,
// and how the kind is told from the session bus.

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMenu>
#include <QProcess>
#include <QSystemTrayIcon>
#include <QThread>
#include <QTimer>
#include <atomic>

#include "WindowFixture.h"
#include "uTrayClicks.h"
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

namespace telmora::test {
namespace {

using Reason = QSystemTrayIcon::ActivationReason;

struct Activation {
    Reason reason;
    qint64 atMs;
};

struct ClicksCase {
    const char* what;
    TrayClicks clicks;
    std::vector<Activation> activations;
    std::vector<bool> opens;
};

TEST(TrayActivationTest, OpensOnADoubleClickOrWhereThereIsNoneOnASingleActivation) {
    const auto d = TrayClicks::DoubleReported;
    const auto s = TrayClicks::SingleOnly;
    const std::vector<ClicksCase> cases = {
        // An XEmbed tray sends a double click as a trigger and then the double click.
        {"double click, XEmbed", d, {{Reason::Trigger, 0}, {Reason::DoubleClick, 200}}, {0, 1}},
        {"single click, XEmbed", d, {{Reason::Trigger, 0}, {Reason::Trigger, 5000}}, {0, 0}},
        {"single click, D-Bus", s, {{Reason::Trigger, 0}, {Reason::Trigger, 5000}}, {1, 1}},
        // A double click made on a D-Bus tray comes as two activations: the window opens once.
        {"double click, D-Bus", s, {{Reason::Trigger, 0}, {Reason::Trigger, 250}}, {1, 0}},
        {"just after the gesture", s, {{Reason::Trigger, 1000}, {Reason::Trigger, 1400}}, {1, 1}},
        {"XEmbed tray taken for D-Bus",
         s,
         {{Reason::Trigger, 0}, {Reason::DoubleClick, 200}},
         {1, 0}},
        {"menu and middle button",
         s,
         {{Reason::Context, 0}, {Reason::MiddleClick, 1000}, {Reason::Unknown, 2000}},
         {0, 0, 0}},
    };
    for (const ClicksCase& c : cases) {
        SCOPED_TRACE(c.what);
        TrayActivationFilter filter(c.clicks, 400);
        std::vector<bool> opens;
        for (const Activation& a : c.activations) opens.push_back(filter.opens(a.reason, a.atMs));
        EXPECT_EQ(opens, c.opens);
    }
}

TEST(TrayActivationTest, TheIconSignalsWhatTheTrayKindCallsAnOpening) {
    initTelmoraResources();
    QMenu menu;
    int dbusOpens = 0;
    TrayIcon dbusTray(&menu, TrayClicks::SingleOnly);
    QObject::connect(&dbusTray, &TrayIcon::doubleClicked, [&] { ++dbusOpens; });
    emit dbusTray.icon()->activated(QSystemTrayIcon::Trigger);
    EXPECT_EQ(dbusOpens, 1);

    int xembedOpens = 0;
    TrayIcon xembedTray(&menu, TrayClicks::DoubleReported);
    QObject::connect(&xembedTray, &TrayIcon::doubleClicked, [&] { ++xembedOpens; });
    emit xembedTray.icon()->activated(QSystemTrayIcon::Trigger);
    EXPECT_EQ(xembedOpens, 0);
    emit xembedTray.icon()->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_EQ(xembedOpens, 1);
}

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");

// The watcher a StatusNotifierItem desktop runs, reduced to the property that tells whether a
// tray (a host) is there.
class FakeWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
public:
    bool hostRegistered() const { return host.load(); }
    std::atomic<bool> host{false};
};

// A session bus of the test's own, with the watcher answering from a thread of its own so that
// a blocking call from the test thread gets its answer.
class PrivateBus : public ::testing::Test {
protected:
    void SetUp() override {
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"),
                       QStringLiteral("--print-address=1")});
        ASSERT_TRUE(daemon_.waitForStarted(5000)) << "dbus-daemon (package dbus-daemon) is needed";
        ASSERT_TRUE(daemon_.waitForReadyRead(5000));
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
        watcherBus_ = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(address_, QStringLiteral("telmora-test-watcher")));
        ASSERT_TRUE(watcherBus_->isConnected());
        watcher_.moveToThread(&thread_);
        thread_.start();
    }
    void TearDown() override {
        thread_.quit();
        thread_.wait();
        watcherBus_.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("telmora-test-watcher"));
        QDBusConnection::disconnectFromBus(QStringLiteral("telmora-test-probe"));
        daemon_.kill();
        daemon_.waitForFinished(5000);
    }
    QDBusConnection probe() {
        return QDBusConnection::connectToBus(address_, QStringLiteral("telmora-test-probe"));
    }
    void registerWatcher() {
        ASSERT_TRUE(watcherBus_->registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher_,
                                                QDBusConnection::ExportAllProperties));
        ASSERT_TRUE(watcherBus_->registerService(kWatcher));
    }

    FakeWatcher watcher_;

private:
    QProcess daemon_;
    QString address_;
    std::unique_ptr<QDBusConnection> watcherBus_;
    QThread thread_;
};

TEST_F(PrivateBus, AWatcherWithATrayMeansSingleActivations) {
    EXPECT_EQ(trayClicksOn(QDBusConnection(QStringLiteral("no-such-bus"))),
              TrayClicks::DoubleReported);
    EXPECT_EQ(trayClicksOn(probe()), TrayClicks::DoubleReported);  // no watcher at all

    registerWatcher();
    ASSERT_TRUE(probe().interface()->isServiceRegistered(kWatcher).value());
    EXPECT_EQ(trayClicksOn(probe()), TrayClicks::DoubleReported);  // a watcher, but no tray

    watcher_.host = true;
    EXPECT_EQ(trayClicksOn(probe()), TrayClicks::SingleOnly);
}

// Counts the balloon windows Qt draws itself on an XEmbed tray as they come up.
class BalloonShows : public QObject {
public:
    BalloonShows() { qApp->installEventFilter(this); }
    ~BalloonShows() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->inherits("QBalloonTip")) ++count;
        return false;
    }
    static bool oneVisible() {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->inherits("QBalloonTip") && window->isVisible()) return true;
        }
        return false;
    }
    int count = 0;
};

void runEventsFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Offscreen Qt shows no balloon at all: this runs on an X display with a tray, started by the
// test tray_on_x11 (Xvfb and trayer, see with-tray.sh).
TEST(TrayBalloonTest, HidingWithdrawsTheBalloonAndShowsNoOther) {
    if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
        GTEST_SKIP() << "runs under tray_on_x11";
    }
    ASSERT_TRUE(QSystemTrayIcon::isSystemTrayAvailable());
    initTelmoraResources();
    QMenu menu;
    TrayIcon tray(&menu, TrayClicks::DoubleReported);
    runEventsFor(500);  // the tray takes the icon in
    BalloonShows shows;
    tray.showBalloon(QStringLiteral("Telmora. Avviso"), QStringLiteral("testo"), BalloonIcon::Info,
                     10);
    runEventsFor(300);
    EXPECT_EQ(shows.count, 1);
    EXPECT_TRUE(BalloonShows::oneVisible());

    tray.hideBalloon();
    runEventsFor(300);
    EXPECT_FALSE(BalloonShows::oneVisible());
    EXPECT_EQ(shows.count, 1);  // no empty balloon in its place
}

}  // namespace
}  // namespace telmora::test

#include "tray_test.moc"
