#include "SimShellOpen.h"

namespace telmora {

std::optional<int> SimShellOpen::open(const QString& text) {
    const auto error = control_.integer(QStringLiteral("shell"), QStringLiteral("error"), 0);
    if (error >= 1 && error <= kShellOpenMaxFailure) return static_cast<int>(error);
    log_.write(QStringLiteral("open ") + text);
    return std::nullopt;
}

}  // namespace telmora
