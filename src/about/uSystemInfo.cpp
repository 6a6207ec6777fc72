#include "uSystemInfo.h"

#include <sys/sysinfo.h>

#include <QFile>
#include <QHash>
#include <cmath>

#include "uBrowserVersion.h"
#include "uInfoLines.h"

namespace telmora {
namespace {

const QString kSource = QStringLiteral("SystemInfo");

std::optional<QByteArray> readWhole(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    // Files under /proc and /sys report no size: read until the end.
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    return data;
}

// An os-release value: bare, or in single or double quotes (double quotes allow \-escapes).
QString unquote(const QString& raw) {
    if (raw.size() >= 2 && raw.front() == QLatin1Char('\'') && raw.back() == QLatin1Char('\'')) {
        return raw.mid(1, raw.size() - 2);
    }
    if (raw.size() >= 2 && raw.front() == QLatin1Char('"') && raw.back() == QLatin1Char('"')) {
        QString out;
        const QString inner = raw.mid(1, raw.size() - 2);
        for (qsizetype i = 0; i < inner.size(); ++i) {
            if (inner[i] == QLatin1Char('\\') && i + 1 < inner.size()) ++i;
            out += inner[i];
        }
        return out;
    }
    return raw;
}

// The first processor's "key : value" lines: the first value of each key wins, so the later
// processors add nothing but the lines some ARM kernels put after all of them.
QHash<QString, QString> firstProcessor(const QString& text) {
    QHash<QString, QString> fields;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon < 0) continue;
        const QString key = line.left(colon).trimmed().toLower();
        if (!fields.contains(key)) fields.insert(key, line.mid(colon + 1).trimmed());
    }
    return fields;
}

// The companies behind the ARM "CPU implementer" codes, and ARM's own cores by "CPU part".
QString armImplementer(const QString& code) {
    static const QHash<int, QString> names{
        {0x41, QStringLiteral("ARM")},      {0x42, QStringLiteral("Broadcom")},
        {0x43, QStringLiteral("Cavium")},   {0x48, QStringLiteral("HiSilicon")},
        {0x4e, QStringLiteral("NVIDIA")},   {0x50, QStringLiteral("APM")},
        {0x51, QStringLiteral("Qualcomm")}, {0x53, QStringLiteral("Samsung")},
        {0x56, QStringLiteral("Marvell")},  {0x61, QStringLiteral("Apple")},
        {0x69, QStringLiteral("Intel")},    {0xc0, QStringLiteral("Ampere")},
    };
    bool ok = false;
    const int value = code.toInt(&ok, 0);
    return ok ? names.value(value, code) : code;
}

QString armCore(int implementer, const QString& part) {
    static const QHash<int, QString> cores{
        {0xb76, QStringLiteral("ARM1176")},     {0xc07, QStringLiteral("Cortex-A7")},
        {0xc09, QStringLiteral("Cortex-A9")},   {0xc0f, QStringLiteral("Cortex-A15")},
        {0xd03, QStringLiteral("Cortex-A53")},  {0xd04, QStringLiteral("Cortex-A35")},
        {0xd05, QStringLiteral("Cortex-A55")},  {0xd07, QStringLiteral("Cortex-A57")},
        {0xd08, QStringLiteral("Cortex-A72")},  {0xd09, QStringLiteral("Cortex-A73")},
        {0xd0a, QStringLiteral("Cortex-A75")},  {0xd0b, QStringLiteral("Cortex-A76")},
        {0xd0c, QStringLiteral("Neoverse-N1")}, {0xd0d, QStringLiteral("Cortex-A77")},
        {0xd40, QStringLiteral("Neoverse-V1")}, {0xd41, QStringLiteral("Cortex-A78")},
        {0xd49, QStringLiteral("Neoverse-N2")}, {0xd4f, QStringLiteral("Neoverse-V2")},
    };
    bool ok = false;
    const int value = part.toInt(&ok, 0);
    if (ok && implementer == 0x41 && cores.contains(value)) return cores.value(value);
    return QStringLiteral("part ") + part;
}

}  // namespace

OsRelease SystemInfo::readOsRelease() const {
    OsRelease os;
    for (const QString& path : sources_.osRelease) {
        const std::optional<QByteArray> data = readWhole(path);
        if (!data) continue;
        for (const QString& line : QString::fromUtf8(*data).split(QLatin1Char('\n'))) {
            const QString trimmed = line.trimmed();
            if (trimmed.startsWith(QLatin1Char('#'))) continue;
            const qsizetype eq = trimmed.indexOf(QLatin1Char('='));
            if (eq <= 0) continue;
            const QString key = trimmed.left(eq);
            if (key == QLatin1String("NAME")) os.name = unquote(trimmed.mid(eq + 1));
            if (key == QLatin1String("VERSION_ID")) os.version = unquote(trimmed.mid(eq + 1));
        }
        break;
    }
    return os;
}

CpuFacts SystemInfo::readCpu(std::vector<Error>& problems) const {
    CpuFacts cpu;
    const std::optional<QByteArray> data = readWhole(sources_.cpuinfo);
    if (!data) return cpu;
    cpu.readable = true;
    const QHash<QString, QString> f = firstProcessor(QString::fromUtf8(*data));

    if (f.contains(QStringLiteral("vendor_id"))) {
        cpu.vendor = f.value(QStringLiteral("vendor_id"));
    } else if (f.contains(QStringLiteral("cpu implementer"))) {
        cpu.vendor = armImplementer(f.value(QStringLiteral("cpu implementer")));
    }
    if (f.contains(QStringLiteral("model name"))) {
        cpu.model = f.value(QStringLiteral("model name"));
    } else if (f.contains(QStringLiteral("cpu part"))) {
        bool ok = false;
        const int implementer = f.value(QStringLiteral("cpu implementer")).toInt(&ok, 0);
        cpu.model = armCore(ok ? implementer : -1, f.value(QStringLiteral("cpu part")));
    }

    if (f.contains(QStringLiteral("cpu mhz"))) {
        const QString raw = f.value(QStringLiteral("cpu mhz"));
        bool ok = false;
        const double mhz = raw.toDouble(&ok);
        if (ok && std::isfinite(mhz) && mhz >= 0 && mhz < 1e9) {
            cpu.mhz = std::llround(mhz);
        } else {
            problems.emplace_back(kSource,
                                  QStringLiteral("Valore non valido per 'cpu MHz': '%1'").arg(raw));
        }
    } else if (const std::optional<QByteArray> khz = readWhole(sources_.cpuMaxFreq)) {
        bool ok = false;
        const qint64 value = QString::fromLatin1(*khz).trimmed().toLongLong(&ok);
        if (ok && value >= 0) {
            cpu.mhz = (value + 500) / 1000;
        } else {
            problems.emplace_back(
                kSource, QStringLiteral("Valore non valido per '%1': '%2'")
                             .arg(sources_.cpuMaxFreq, QString::fromLatin1(*khz).trimmed()));
        }
    }
    return cpu;
}

std::optional<MemoryStatus> SystemInfo::readMemory() const {
    return sources_.memory ? sources_.memory() : sysinfoMemory();
}

SystemSummary SystemInfo::read() const {
    SystemSummary summary;
    summary.os = osVersionText(readOsRelease());
    summary.cpu = cpuText(readCpu(summary.problems));
    summary.memory = memoryText(readMemory());
    summary.browser =
        browserText(sources_.browserVersion ? sources_.browserVersion() : defaultBrowserVersion());
    return summary;
}

std::optional<MemoryStatus> sysinfoMemory() {
    struct sysinfo info {};
    if (::sysinfo(&info) != 0) return std::nullopt;
    const std::uint64_t unit = info.mem_unit == 0 ? 1 : info.mem_unit;
    return MemoryStatus{static_cast<std::uint64_t>(info.totalram) * unit,
                        static_cast<std::uint64_t>(info.freeram) * unit};
}

}  // namespace telmora
