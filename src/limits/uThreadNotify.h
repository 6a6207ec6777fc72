#pragma once
// One limit check on a thread of its own: it sums today's and this month's connection time
// through the query object ADOQueryNotify and hands the notices and the re-arming of the timer
// to the main thread, waiting for each. It ends after one check; the watch then frees it.

#include <QThread>

#include "uLimitCheck.h"

namespace telmora {

class LimitWatch;

class TThreadNotify : public QThread {
    Q_OBJECT
public:
    TThreadNotify(LimitWatch& watch, const LimitSnapshot& snapshot);

    // The snapshot as the check left it (read once the thread has finished).
    const LimitSnapshot& snapshot() const { return snapshot_; }

protected:
    void run() override;

private:
    void check();
    void onMainThread(const std::function<void()>& step);

    LimitWatch& watch_;
    LimitSnapshot snapshot_;
};

}  // namespace telmora
