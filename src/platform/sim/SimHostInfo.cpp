#include "SimHostInfo.h"

#include <QStringList>

namespace telmora {

namespace {
const QString kSection = QStringLiteral("host");
}  // namespace

std::optional<std::string> SimHostInfo::hostName() {
    const QString name = control_.text(kSection, QStringLiteral("name"), QStringLiteral("simhost"));
    if (name.isEmpty()) return std::nullopt;
    return name.toStdString();
}

std::optional<std::array<std::uint8_t, 4>> SimHostInfo::firstAddress(const std::string&) {
    const QStringList parts =
        control_.text(kSection, QStringLiteral("ip"), QStringLiteral("127.0.0.1")).split('.');
    if (parts.size() != 4) return std::nullopt;
    std::array<std::uint8_t, 4> bytes{};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        const uint value = parts[i].trimmed().toUInt(&ok);
        if (!ok || value > 255) return std::nullopt;
        bytes[i] = static_cast<std::uint8_t>(value);
    }
    return bytes;
}

}  // namespace telmora
