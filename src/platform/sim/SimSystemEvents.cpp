#include "SimSystemEvents.h"

#include <QCoreApplication>
#include <QEvent>
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
    // A timer of its own keeps the file looked at while nothing else runs.
    auto* timer = new QTimer(this);
    timer->setInterval(250);
    timer->start();
    QCoreApplication::instance()->installEventFilter(this);
}

bool SimSystemEvents::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Timer) poll();
    return false;
}

void SimSystemEvents::poll() {
    const QString value = control_.text(kSection, kKey);
    if (value == lastValue_) return;
    lastValue_ = value;
    emit clockChanged();
}

}  // namespace telmora
