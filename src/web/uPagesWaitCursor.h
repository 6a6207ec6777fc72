#pragma once
// The database-wait pointer while a statement runs, put back however the scope ends.

#include <QApplication>
#include <QCursor>

namespace telmora {

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace telmora
