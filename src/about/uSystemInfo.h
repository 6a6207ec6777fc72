#pragma once
// What the About window tells of this machine, read from Linux: the distribution from
// os-release, the first processor from /proc/cpuinfo, the memory from sysinfo() and the default
// browser's own version. Every source can be replaced, so tests read fixture files.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "uError.h"

namespace telmora {

struct MemoryStatus {
    std::uint64_t totalBytes = 0;
    std::uint64_t availableBytes = 0;
};

struct OsRelease {
    QString name;     // NAME
    QString version;  // VERSION_ID
};

struct CpuFacts {
    bool readable = false;
    QString vendor;
    QString model;
    std::optional<std::int64_t> mhz;
};

struct SystemSources {
    // The first of these files that can be read.
    QStringList osRelease{QStringLiteral("/etc/os-release"), QStringLiteral("/usr/lib/os-release")};
    QString cpuinfo = QStringLiteral("/proc/cpuinfo");
    // Where /proc/cpuinfo gives no clock (most ARM machines): the highest clock in kHz.
    QString cpuMaxFreq = QStringLiteral("/sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq");
    std::function<std::optional<MemoryStatus>()> memory;  // empty: sysinfo()
    std::function<QString()> browserVersion;              // empty: the default browser's
};

// The four machine lines, and what could not be read as it should (for the error handler).
struct SystemSummary {
    QString os;
    QString cpu;
    QString memory;
    QString browser;
    std::vector<Error> problems;
};

class SystemInfo {
public:
    explicit SystemInfo(SystemSources sources = {}) : sources_(std::move(sources)) {}

    SystemSummary read() const;

    OsRelease readOsRelease() const;
    // A clock that is there but is no number is added to problems.
    CpuFacts readCpu(std::vector<Error>& problems) const;
    std::optional<MemoryStatus> readMemory() const;

private:
    SystemSources sources_;
};

// sysinfo(): total and free physical memory in bytes.
std::optional<MemoryStatus> sysinfoMemory();

}  // namespace telmora
