#include "uPageCapture.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include "ICaptureHost.h"
#include "uUrlHistory.h"

namespace telmora {

PageCapture::PageCapture(ICaptureHost& host, CaptureServices services, QObject* parent)
    : QObject(parent), host_(host), services_(services) {
    timerurl_.setInterval(kIntervalMs);
    connect(&timerurl_, &QTimer::timeout, this, &PageCapture::timerurlTimer);
}

PageCapture::~PageCapture() {
    timerurl_.stop();
    // Finished workers go with their parent, this object.
    if (worker_ && !waitForCapture()) {
        // Still running past every bound: it is left to end on its own, handing nothing back.
        worker_->abandon();
        worker_->setParent(nullptr);
    }
}

bool PageCapture::captureRunning() const {
    return worker_ && !worker_->isFinished();
}

bool PageCapture::waitForCapture(int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (captureRunning()) {
        // The worker may be waiting for one of its steps, which only this thread can run.
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
        if (worker_->wait(QDeadlineTimer(qMin<qint64>(10, deadline.remainingTime())))) break;
        if (deadline.hasExpired()) return !captureRunning();
    }
    return true;
}

void PageCapture::RememberLastUrl(const QString& url) {
    host_.setLastUrl(url);
}

void PageCapture::RearmCapture() {
    if (host_.trackingOn() && host_.online() && !host_.closingAllowed()) {
        timerurl_.start();
    } else {
        timerurl_.stop();
        host_.setLastUrl(QString());
    }
}

void PageCapture::connectionUp() {
    if (host_.trackingOn()) timerurl_.start();
}

void PageCapture::connectionDown() {
    timerurl_.stop();
    host_.setLastUrl(QString());
}

void PageCapture::stop() {
    timerurl_.stop();
}

void PageCapture::timerurlTimer() {
    // A connection event that started the timer while a capture still runs must not start a
    // second one beside it (both would need adoqueryurl): the timer stays on and the next tick
    // tries again, unless the running capture's RearmCapture decides first.
    if (captureRunning()) return;
    timerurl_.stop();
    auto* worker = new TThreadUrl(services_, *this, host_.lastUrl(), UrlHistoryLimit);
    worker->setParent(this);
    connect(worker, &QThread::finished, this, [this, worker] {
        worker->deleteLater();
        emit captureFinished();
    });
    worker_ = worker;
    worker->start();
}

}  // namespace telmora
