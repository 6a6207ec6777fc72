#include "LinuxAdapters.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <utility>
#include <vector>

namespace telmora {
namespace {

QString readTrimmed(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromLatin1(f.readAll()).trimmed();
}

}  // namespace

LinuxAdapters::LinuxAdapters(QString sysRoot) : sysRoot_(std::move(sysRoot)) {}

// Interfaces sorted by their kernel index; the loopback one is no adapter.
QStringList LinuxAdapters::interfaces() const {
    const QString base = sysRoot_ + QStringLiteral("/class/net");
    std::vector<std::pair<int, QString>> found;
    for (const QString& name :
         QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System)) {
        const QString dir = base + QLatin1Char('/') + name;
        if (readTrimmed(dir + QStringLiteral("/type")) == QLatin1String("772")) continue;
        bool ok = false;
        const int index = readTrimmed(dir + QStringLiteral("/ifindex")).toInt(&ok);
        found.emplace_back(ok ? index : 1 << 30, name);
    }
    std::sort(found.begin(), found.end());
    QStringList names;
    for (const auto& [index, name] : found) names << name;
    return names;
}

int LinuxAdapters::count() {
    return static_cast<int>(interfaces().size());
}

std::optional<std::array<std::uint8_t, 6>> LinuxAdapters::hardwareAddress(int index) {
    const QStringList names = interfaces();
    if (index < 0 || index >= names.size()) return std::nullopt;
    const QString text = readTrimmed(sysRoot_ + QStringLiteral("/class/net/") + names[index] +
                                     QStringLiteral("/address"));
    const QStringList bytes = text.split(QLatin1Char(':'));
    // A point-to-point link has no six-byte address: it reads as all zeros.
    if (bytes.size() != 6) return std::array<std::uint8_t, 6>{};
    std::array<std::uint8_t, 6> address{};
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        address[static_cast<size_t>(i)] = static_cast<std::uint8_t>(bytes[i].toUInt(&ok, 16));
        if (!ok) return std::nullopt;
    }
    return address;
}

}  // namespace telmora
