// Who starts and stops timerAvvisi: the connection, the limits window, the re-arm step, the
// exit, the date change and its own tick; and a start while it runs keeps its countdown.

#include <QEventLoop>
#include <QTimer>

#include "LimitsFixture.h"

namespace telmora::test {
namespace {

enum class Event {
    ConnectionUp,
    ConnectionDown,
    SettingsClosed,
    RearmDue,
    RearmNothingDue,
    Exit,
    DateChange,
    Tick
};

struct TimerCase {
    const char* name;
    bool runningBefore;
    bool online;
    bool limitOn;
    bool closing;
    Event event;
    bool runningAfter;
    bool noticesCleared;
};

const TimerCase kCases[] = {
    {"connection with a limit on", false, true, true, false, Event::ConnectionUp, true, true},
    {"connection without limits", false, true, false, false, Event::ConnectionUp, false, false},
    {"disconnection", true, false, true, false, Event::ConnectionDown, false, false},
    {"window closed online with a limit", false, true, true, false, Event::SettingsClosed, true,
     true},
    {"window closed online with a limit, running", true, true, true, false, Event::SettingsClosed,
     true, true},
    {"window closed online without limits", true, true, false, false, Event::SettingsClosed, false,
     false},
    {"window closed offline leaves a running timer", true, false, false, false,
     Event::SettingsClosed, true, false},
    {"window closed offline leaves a stopped timer", false, false, true, false,
     Event::SettingsClosed, false, false},
    {"re-arm with a notice due", false, true, true, false, Event::RearmDue, true, false},
    {"re-arm offline", false, false, true, false, Event::RearmDue, false, false},
    {"re-arm while the program ends", false, true, true, true, Event::RearmDue, false, false},
    {"re-arm with every notice given", false, true, true, false, Event::RearmNothingDue, false,
     false},
    {"exit", true, true, true, true, Event::Exit, false, false},
    {"date change", true, true, true, false, Event::DateChange, false, false},
    {"its own tick", true, true, true, false, Event::Tick, false, false},
};

class LimitTimerTest : public LimitsFixture, public ::testing::WithParamInterface<TimerCase> {};

TEST_P(LimitTimerTest, StartsAndStops) {
    const TimerCase& c = GetParam();
    host.isOnline = c.online;
    host.closing = c.closing;
    host.limits.daylimit = c.limitOn;
    host.dayGiven = host.monthGiven = true;
    if (c.runningBefore) watch->start();

    LimitSnapshot snapshot;
    snapshot.limits.daylimit = true;
    switch (c.event) {
        case Event::ConnectionUp:
            watch->connectionUp();
            break;
        case Event::ConnectionDown:
            watch->connectionDown();
            break;
        case Event::SettingsClosed:
            watch->settingsWindowClosed();
            break;
        case Event::RearmDue:
            watch->rearm(snapshot);
            break;
        case Event::RearmNothingDue:
            snapshot.dayNoticeGiven = true;
            watch->rearm(snapshot);
            break;
        case Event::Exit:
            watch->exiting();
            break;
        case Event::DateChange:
            watch->dateChanged();
            break;
        case Event::Tick:
            watch->timerAvvisiTimer();
            break;
    }
    EXPECT_EQ(watch->active(), c.runningAfter);
    EXPECT_EQ(!host.dayGiven && !host.monthGiven, c.noticesCleared);
    EXPECT_TRUE(watch->waitForChecks(10000));
}

INSTANTIATE_TEST_SUITE_P(Table, LimitTimerTest, ::testing::ValuesIn(kCases),
                         [](const auto& c) { return caseName(c.param.name); });

TEST_F(LimitsFixture, StartingARunningTimerKeepsItsCountdown) {
    host.limits.monthlimit = true;
    watch->start();
    const int first = watch->remainingTimeMs();
    EXPECT_GT(first, LimitWatch::kIntervalMs - 1000);
    QThread::msleep(150);
    LimitSnapshot due;
    due.limits.monthlimit = true;
    watch->connectionUp();
    watch->settingsWindowClosed();
    watch->rearm(due);
    watch->start();
    EXPECT_TRUE(watch->active());
    EXPECT_LE(watch->remainingTimeMs(), first - 140);
}

TEST_F(LimitsFixture, TimerTimeoutStartsACheck) {
    host.limits.daylimit = true;
    host.limits.hdaylimit = 1;
    openFor(hms(1, 0, 0));
    auto* timer = watch->findChild<QTimer*>(QStringLiteral("timerAvvisi"));
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 60000);
    timer->setInterval(20);  // a minute is too long to wait for here
    watch->start();
    QEventLoop loop;
    QObject::connect(watch.get(), &LimitWatch::checkFinished, &loop, &QEventLoop::quit);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(tray.log.size(), 1);
    EXPECT_TRUE(host.dayGiven);
    EXPECT_FALSE(watch->active());
}

}  // namespace
}  // namespace telmora::test
