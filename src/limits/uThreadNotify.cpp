#include "uThreadNotify.h"

#include "IClock.h"
#include "uDataModule.h"
#include "uLimitWatch.h"
#include "uReportError.h"

namespace telmora {

TThreadNotify::TThreadNotify(LimitWatch& watch, const LimitSnapshot& snapshot)
    : QThread(&watch), watch_(watch), snapshot_(snapshot) {
    setObjectName(QStringLiteral("TThreadNotify"));
}

void TThreadNotify::onMainThread(const std::function<void()>& step) {
    QMetaObject::invokeMethod(&watch_, step, Qt::BlockingQueuedConnection);
}

void TThreadNotify::check() {
    std::lock_guard turn(watch_.queryTurn_);
    QueryLease lease(watch_.data_.ADOQueryNotify);
    runLimitChecks(lease.query(), watch_.clock_.now(), snapshot_, [this](LimitKind kind) {
        onMainThread([this, kind] { watch_.giveNotice(kind, snapshot_); });
    });
}

void TThreadNotify::run() {
    const QString self = QStringLiteral("TThreadNotify");
    try {
        check();
    } catch (const Error& e) {
        watch_.reportError_(self, e.message());
    } catch (const std::exception& e) {
        watch_.reportError_(self, QString::fromLocal8Bit(e.what()));
    }
    onMainThread([this] { watch_.rearm(snapshot_); });
}

}  // namespace telmora
