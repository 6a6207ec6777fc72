#include "uInfoLines.h"

namespace telmora {

QString osVersionText(const OsRelease& os) {
    return os.name + QStringLiteral(" (version ") + os.version + QLatin1Char(')');
}

QString cpuText(const CpuFacts& cpu) {
    if (!cpu.readable) return {};
    QString text = cpu.vendor + QStringLiteral(" (") + cpu.model + QLatin1Char(')');
    if (cpu.mhz) text += QLatin1Char(' ') + QString::number(*cpu.mhz) + QStringLiteral(" MHz");
    return text.trimmed();
}

std::uint64_t thousandsRoundedHalfEven(std::uint64_t bytes) {
    std::uint64_t q = bytes / 1000;
    const std::uint64_t r = bytes % 1000;
    if (r > 500 || (r == 500 && q % 2 == 1)) ++q;
    return q;
}

QString memoryText(const std::optional<MemoryStatus>& memory) {
    if (!memory) return {};
    return QStringLiteral("Memoria totale: ") +
           QString::number(thousandsRoundedHalfEven(memory->totalBytes)) +
           QStringLiteral(" KB  Memoria disponibile: ") +
           QString::number(thousandsRoundedHalfEven(memory->availableBytes)) +
           QStringLiteral(" KB");
}

QString browserText(const QString& version) {
    if (version.isEmpty()) return {};
    return QStringLiteral("Browser: ") + version;
}

QString firstStartText(const QString& primoavvio) {
    return QStringLiteral("Primo avvio Telmora:  ") + primoavvio;
}

QString abnormalStopsText(int abnormalStops) {
    return QStringLiteral("Arresti anomali:  ") + QString::number(abnormalStops);
}

}  // namespace telmora
