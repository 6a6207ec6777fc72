#include "SimAdapters.h"

#include <QRegularExpression>

namespace telmora {
namespace {
const QString kSection = QStringLiteral("adapters");
}

int SimAdapters::count() {
    int n = 0;
    while (control_.file().valueExists(kSection, QString::number(n))) ++n;
    return n;
}

// Accepts 00-0C-29-3A-11-7F or 00:0c:29:3a:11:7f; anything else cannot be read.
std::optional<std::array<std::uint8_t, 6>> SimAdapters::hardwareAddress(int index) {
    const QString text = control_.text(kSection, QString::number(index));
    const QStringList bytes = text.split(QRegularExpression(QStringLiteral("[-:]")));
    if (bytes.size() != 6) return std::nullopt;
    std::array<std::uint8_t, 6> address{};
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        const uint v = bytes[i].toUInt(&ok, 16);
        if (!ok || v > 255 || bytes[i].size() != 2) return std::nullopt;
        address[static_cast<size_t>(i)] = static_cast<std::uint8_t>(v);
    }
    return address;
}

}  // namespace telmora
