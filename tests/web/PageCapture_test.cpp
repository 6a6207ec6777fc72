// Captures end to end: the timer, one worker per tick, rows in a real database, the steps
// handed back to the main thread, and errors reported from the worker.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <mutex>
#include <thread>

#include "DbReader.h"
#include "IBrowser.h"
#include "ICaptureHost.h"
#include "IClock.h"
#include "ScriptedMessages.h"
#include "uDataModule.h"
#include "uPageCapture.h"
#include "uReportError.h"

namespace telmora {
namespace {

class FixedClock final : public IClock {
public:
    DateTime now() const override { return encodeDateTime(2004, 3, 5, 10, 0, 0); }
};

// A browser whose answer the test sets; it may take its time answering.
class FakeBrowser final : public IBrowser {
public:
    void answer(const QString& a) {
        std::lock_guard l(m_);
        answer_ = a;
    }
    int delayMs = 0;
    QString DefaultBrowserName() override { return QStringLiteral("firefox"); }
    QString RequestBrowserWindowInfo(const QString&) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        std::lock_guard l(m_);
        return answer_;
    }

private:
    std::mutex m_;
    QString answer_;
};

class FakeHost final : public ICaptureHost {
public:
    bool tracking = true, on = true, closing = false;
    QString last;
    Qt::HANDLE mainThread = QThread::currentThreadId();
    int offThread = 0;
    bool trackingOn() const override { return check(tracking); }
    bool online() const override { return check(on); }
    bool closingAllowed() const override { return check(closing); }
    QString lastUrl() const override { return check(last); }
    void setLastUrl(const QString& url) override { last = check(url); }

private:
    template <class T>
    const T& check(const T& v) const {
        if (QThread::currentThreadId() != mainThread) ++const_cast<FakeHost*>(this)->offThread;
        return v;
    }
};

class Capture : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.filePath(QStringLiteral("telmora.mdb"));
        TDataModule1::createDatabase(path);
        data = std::make_unique<TDataModule1>(path);
        makeCapture();
    }
    void makeCapture() {
        report = std::make_unique<ReportError>(dir.filePath(QStringLiteral("telmora.log")), clock,
                                               messages);
        capture =
            std::make_unique<PageCapture>(host, CaptureServices{browser, *data, *report, clock});
    }
    // Runs the event loop until the next capture ends; false when none ended within ms.
    bool waitFinished(int ms) {
        QEventLoop loop;
        bool ended = false;
        const auto c = QObject::connect(capture.get(), &PageCapture::captureFinished, &loop, [&] {
            ended = true;
            loop.quit();
        });
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
        QObject::disconnect(c);
        return ended;
    }
    // One tick, and its worker to the end.
    void tick() {
        capture->timerurlTimer();
        ASSERT_TRUE(waitFinished(5000));
    }
    test::Rows urls() {
        return test::readRows(path, QStringLiteral("SELECT URL FROM URL ORDER BY ROWID"));
    }

    QTemporaryDir dir;
    QString path;
    FixedClock clock;
    FakeBrowser browser;
    FakeHost host;
    ScriptedMessages messages;
    std::unique_ptr<TDataModule1> data;
    std::unique_ptr<ReportError> report;
    std::unique_ptr<PageCapture> capture;
};

const QString kA = QStringLiteral("\"http://a/\",\"A\"");
const QString kB = QStringLiteral("\"http://b/\",\"B\"");

TEST_F(Capture, NewAnswersStoredOnceAndTheTimerRearmed) {
    EXPECT_FALSE(capture->timerurl().isActive());
    capture->connectionUp();
    EXPECT_TRUE(capture->timerurl().isActive());
    EXPECT_EQ(capture->timerurl().interval(), 5000);
    for (const QString& answer : {kA, kA, kB, QString(), kA}) {
        browser.answer(answer);
        tick();
        EXPECT_TRUE(capture->timerurl().isActive());
    }
    EXPECT_EQ(urls(), (test::Rows{{kA}, {kB}, {kA}}));
    EXPECT_EQ(test::readRows(path, QStringLiteral("SELECT DATA FROM URL"))[0][0].toDouble(),
              clock.now());
    EXPECT_EQ(host.last, kA);
    EXPECT_EQ(host.offThread, 0);  // every step of the session ran on the main thread
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Capture, CycleEndsWhenOfflineTrackingOffOrExiting) {
    for (int which = 0; which < 3; ++which) {
        host.on = which != 0;
        host.tracking = which != 1;
        host.closing = which == 2;
        host.last = kB;
        browser.answer(kA);
        tick();
        EXPECT_FALSE(capture->timerurl().isActive()) << which;
        EXPECT_EQ(host.last, QString()) << which;
    }
    EXPECT_EQ(urls().size(), 3u);  // each tick still made its capture
}

TEST_F(Capture, ConnectionEventsStartAndStopTheTimer) {
    host.tracking = false;
    capture->connectionUp();
    EXPECT_FALSE(capture->timerurl().isActive());
    host.tracking = true;
    capture->connectionUp();
    EXPECT_TRUE(capture->timerurl().isActive());
    host.last = kA;
    capture->connectionDown();
    EXPECT_FALSE(capture->timerurl().isActive());
    EXPECT_EQ(host.last, QString());
    capture->connectionUp();
    capture->stop();
    EXPECT_FALSE(capture->timerurl().isActive());
}

TEST_F(Capture, DatabaseErrorIsReportedAndCapturingGoesOn) {
    capture.reset();
    data = std::make_unique<TDataModule1>(dir.filePath(QStringLiteral("missing/telmora.mdb")));
    makeCapture();
    browser.answer(kA);
    tick();
    QCoreApplication::processEvents();  // the box is shown by the main thread
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, QStringLiteral("error"));
    QFile log(dir.filePath(QStringLiteral("telmora.log")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("TDataModule1:"));
    EXPECT_TRUE(capture->timerurl().isActive());
    EXPECT_EQ(host.last, QString());  // nothing stored, nothing remembered
}

TEST_F(Capture, SlowBrowserNeverHoldsTheMainThread) {
    browser.delayMs = 600;
    browser.answer(kA);
    QElapsedTimer t;
    t.start();
    capture->timerurlTimer();
    EXPECT_LT(t.elapsed(), 200);
    EXPECT_TRUE(capture->captureRunning());
    capture->timerurlTimer();  // a tick while the capture runs starts no second one
    ASSERT_TRUE(waitFinished(5000));
    EXPECT_FALSE(waitFinished(800));
    EXPECT_EQ(urls().size(), 1u);
}

TEST_F(Capture, ExitWaitServesTheWorkersSteps) {
    browser.delayMs = 300;
    browser.answer(kA);
    capture->timerurlTimer();
    host.closing = true;
    EXPECT_TRUE(capture->waitForCapture(5000));  // no event loop runs meanwhile
    EXPECT_EQ(host.last, QString());             // remembered, then cleared by the exit
    EXPECT_FALSE(capture->timerurl().isActive());
    EXPECT_EQ(urls().size(), 1u);
    browser.answer(kB);
    capture->timerurlTimer();
    capture.reset();  // the destructor waits as well
    EXPECT_EQ(urls().size(), 2u);
}

}  // namespace
}  // namespace telmora
