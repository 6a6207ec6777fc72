#pragma once
// Page capture on the main thread: owns timerurl (5000 ms) and, at each tick, stops it and
// starts one TThreadUrl, whose last step, RearmCapture, starts it again while tracking is on,
// the PC is online and no exit is under way. Connect connectionUp() to the session's dial-up
// connected event and to the first detection of a LAN or proxy link, connectionDown() to the
// disconnected event and to the detection of no link at all, and stop() to the shutdown and
// the date change.

#include <QObject>
#include <QPointer>
#include <QTimer>

#include "uThreadUrl.h"

namespace telmora {

class ICaptureHost;

class PageCapture final : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 5000;
    // How long the exit waits for a capture: the browser's bound and the store's, with room.
    static constexpr int kExitWaitMs = 20000;

    PageCapture(ICaptureHost& host, CaptureServices services, QObject* parent = nullptr);
    ~PageCapture() override;

    const QTimer& timerurl() const { return timerurl_; }
    bool captureRunning() const;
    // Waits for the running capture, serving its main-thread steps meanwhile (the exit calls
    // it before the database closes). False when it is still running after timeoutMs.
    bool waitForCapture(int timeoutMs = kExitWaitMs);

    // Main-thread steps of a capture.
    void RememberLastUrl(const QString& url);
    void RearmCapture();

public slots:
    void connectionUp();    // starts timerurl when tracking is on
    void connectionDown();  // stops timerurl and forgets the last stored answer
    void stop();            // stops timerurl (exit, date change)
    void timerurlTimer();   // one capture

signals:
    // A capture's thread has ended (its steps have all run).
    void captureFinished();

private:
    ICaptureHost& host_;
    CaptureServices services_;
    QTimer timerurl_;
    QPointer<TThreadUrl> worker_;
};

}  // namespace telmora
