#include "IClock.h"

#include <QDateTime>

namespace telmora {

DateTime SystemClock::now() const {
    return fromQDateTime(QDateTime::currentDateTime());
}

}  // namespace telmora
