#include "uSpinText.h"

#include <algorithm>

namespace telmora {

int spinTextValue(const QString& text, int minimum, int maximum) {
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    if (!ok) return minimum;
    return static_cast<int>(std::clamp<qlonglong>(value, minimum, maximum));
}

}  // namespace telmora
