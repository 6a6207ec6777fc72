#pragma once
// Notices the system sends the running program: the session is ending (logoff, shutdown) and
// the clock has been set.

#include <QObject>

namespace telmora {

class ISystemEvents : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    void sessionEnding();
    void clockChanged();
};

}  // namespace telmora
