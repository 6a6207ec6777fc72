// The check on its own thread, end to end: from the tick of timerAvvisi to the notice and the
// re-arm step on the main thread, with a real database; its failures; the exit meeting a check
// under way.

#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include "LimitsFixture.h"

namespace telmora::test {
namespace {

class LimitWorkerTest : public LimitsFixture {
protected:
    // Runs the event loop until count checks have ended (false after ten seconds).
    bool checksEnd(int count = 1) {
        QEventLoop loop;
        int ended = 0;
        QObject::connect(watch.get(), &LimitWatch::checkFinished, &loop, [&] {
            if (++ended == count) loop.quit();
        });
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        return ended == count;
    }
    QStringList logLines() const {
        QFile log(dir.filePath(QStringLiteral("telmora.log")));
        if (!log.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    void dailyLimitOfTwoHours(bool hangUp) {
        host.limits.daylimit = true;
        host.limits.hdaylimit = 2;
        host.limits.disconnectday = hangUp;
        host.limits.monthlimit = true;
        host.limits.hmonthlimit = 100;
        addCallOf(encodeDateTime(2004, 3, 5, 9, 0, 0), hms(1, 59, 0));
        openFor(hms(0, 1, 0));
    }
};

TEST_F(LimitWorkerTest, TickChecksOnAWorkerAndNoticesOnTheMainThread) {
    dailyLimitOfTwoHours(true);
    watch->start();
    watch->timerAvvisiTimer();
    EXPECT_FALSE(watch->active());  // off while the check runs
    ASSERT_TRUE(checksEnd());

    EXPECT_EQ(tray.log,
              QStringList{QStringLiteral("balloon Telmora. Avviso limite giornaliero|Il limite "
                                         "giornaliero di connessione internet di 2 ore\rè stato "
                                         "superato. Disconnessione automatica in corso...|1|10")});
    EXPECT_EQ(fp.internet->hangups, 1);
    EXPECT_TRUE(host.dayGiven);
    EXPECT_FALSE(host.monthGiven);
    EXPECT_EQ(host.offThreadCalls, 0);
    // The monthly notice is still due: the next check comes a full minute later.
    EXPECT_TRUE(watch->active());
    EXPECT_GT(watch->remainingTimeMs(), LimitWatch::kIntervalMs - 5000);
    EXPECT_EQ(watch->checksUnderWay(), 0);
    EXPECT_TRUE(errors().isEmpty());
    EXPECT_FALSE(data->ADOQueryNotify.ownedByCurrentThread());
}

TEST_F(LimitWorkerTest, FailedCheckIsReportedOnceAndTriedAgainAMinuteLater) {
    dailyLimitOfTwoHours(false);
    data->closeConnection();
    ASSERT_TRUE(QFile::remove(dbPath));

    watch->timerAvvisiTimer();
    ASSERT_TRUE(checksEnd());
    QCoreApplication::processEvents();  // the error box is shown by the main thread

    const QStringList lines = logLines();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("05/03/2004 18.00.00 TThreadNotify:")))
        << lines[0].toStdString();
    EXPECT_EQ(errors().size(), 1);
    EXPECT_TRUE(tray.log.isEmpty());
    EXPECT_FALSE(host.dayGiven);
    EXPECT_TRUE(watch->active());
    EXPECT_EQ(host.offThreadCalls, 0);
}

TEST_F(LimitWorkerTest, ChecksThatOverlapTakeTheQueryObjectInTurn) {
    dailyLimitOfTwoHours(false);
    watch->timerAvvisiTimer();
    watch->timerAvvisiTimer();
    ASSERT_TRUE(checksEnd(2));
    // Both saw the daily limit reached before either notice was given: the snapshots are the
    // program's state when each started.
    EXPECT_EQ(tray.log.size(), 2);
    EXPECT_TRUE(host.dayGiven);
    EXPECT_EQ(watch->checksUnderWay(), 0);
}

TEST_F(LimitWorkerTest, ExitServesTheNoticeOfACheckUnderWayAndDoesNotRearm) {
    dailyLimitOfTwoHours(false);
    watch->timerAvvisiTimer();
    host.closing = true;
    watch->exiting();  // no event loop runs: the wait itself serves the worker
    EXPECT_EQ(watch->checksUnderWay(), 0);
    EXPECT_EQ(tray.log.size(), 1);
    EXPECT_TRUE(host.dayGiven);
    EXPECT_FALSE(watch->active());
}

}  // namespace
}  // namespace telmora::test
