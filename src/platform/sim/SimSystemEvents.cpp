#include "SimSystemEvents.h"

#include <QTimer>

namespace telmora {

namespace {
const QString kSection = QStringLiteral("clock");
const QString kKey = QStringLiteral("changed");
}  // namespace

SimSystemEvents::SimSystemEvents(const SimControl& control, QObject* parent)
    : LinuxSystemEvents(parent), control_(control) {
    // What the file says at start is the past, not a change.
    lastValue_ = control_.text(kSection, kKey);
    auto* timer = new QTimer(this);
    timer->setInterval(250);
    connect(timer, &QTimer::timeout, this, &SimSystemEvents::poll);
    timer->start();
}

void SimSystemEvents::poll() {
    const QString value = control_.text(kSection, kKey);
    if (value == lastValue_) return;
    lastValue_ = value;
    emit clockChanged();
}

}  // namespace telmora
