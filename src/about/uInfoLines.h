#pragma once
// The texts of the About window's information lines, in the forms the window has always shown.

#include <QString>
#include <cstdint>
#include <optional>

#include "uSystemInfo.h"

namespace telmora {

// "NAME (version VERSION)"; a missing part reads as empty.
QString osVersionText(const OsRelease& os);
// "VENDOR (MODEL) MHZ MHz" without outer blanks; empty when the processor could not be read,
// and without the clock when the machine does not give one.
QString cpuText(const CpuFacts& cpu);
// Thousands of bytes, not multiples of 1024, a half going to the even neighbour.
std::uint64_t thousandsRoundedHalfEven(std::uint64_t bytes);
// "Memoria totale: N KB  Memoria disponibile: N KB"; empty when sysinfo() failed.
QString memoryText(const std::optional<MemoryStatus>& memory);
// "Browser: " + the browser's name and version; empty without a version.
QString browserText(const QString& version);
QString firstStartText(const QString& primoavvio);
QString abnormalStopsText(int abnormalStops);

}  // namespace telmora
