// The machine lines of the About window from fixture files, and the settings lines.

#include <gtest/gtest.h>

#include "QtPrinters.h"
#include "uInfoLines.h"
#include "uSystemInfo.h"

namespace telmora {
namespace {

QString data(const char* name) {
    return QStringLiteral(TELMORA_TEST_DATA "/") + QLatin1String(name);
}

struct Case {
    const char* what;
    const char* osRelease;
    const char* cpuinfo;
    const char* maxFreq;
    std::optional<MemoryStatus> memory;
    QString browserVersion;
    QString os, cpu, mem, browser;
    size_t problems;
};

TEST(InfoLines, MachineSummaryFromFixtureFiles) {
    const Case cases[] = {
        {"Intel machine, Debian, halves to the even neighbour", "os-release-debian",
         "cpuinfo-intel", "missing", MemoryStatus{8'253'498'500, 1'234'567'500},
         QStringLiteral("Mozilla Firefox 115.6.0esr"),
         QStringLiteral("Debian GNU/Linux (version 12)"),
         QStringLiteral("GenuineIntel (Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz) 2808 MHz"),
         QStringLiteral("Memoria totale: 8253498 KB  Memoria disponibile: 1234568 KB"),
         QStringLiteral("Browser: Mozilla Firefox 115.6.0esr"), 0},
        {"ARM machine: clock from cpufreq, no VERSION_ID", "os-release-rolling", "cpuinfo-arm",
         "cpu-max-freq", MemoryStatus{3'999'999'499, 2'501}, QString(),
         QStringLiteral("Arch Linux (version )"), QStringLiteral("ARM (Cortex-A72) 1800 MHz"),
         QStringLiteral("Memoria totale: 3999999 KB  Memoria disponibile: 3 KB"), QString(), 0},
        {"ARM machine without any clock", "os-release-debian", "cpuinfo-arm", "missing",
         MemoryStatus{1'500, 999}, QString(), QStringLiteral("Debian GNU/Linux (version 12)"),
         QStringLiteral("ARM (Cortex-A72)"),
         QStringLiteral("Memoria totale: 2 KB  Memoria disponibile: 1 KB"), QString(), 0},
        {"nothing readable", "missing", "missing", "missing", std::nullopt, QString(),
         QStringLiteral(" (version )"), QString(), QString(), QString(), 0},
        {"a clock that is no number", "os-release-debian", "cpuinfo-bad-mhz", "cpu-max-freq",
         MemoryStatus{0, 0}, QString(), QStringLiteral("Debian GNU/Linux (version 12)"),
         QStringLiteral("AuthenticAMD (AMD Ryzen 5 3600 6-Core Processor)"),
         QStringLiteral("Memoria totale: 0 KB  Memoria disponibile: 0 KB"), QString(), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SystemSources sources;
        sources.osRelease = {data(c.osRelease)};
        sources.cpuinfo = data(c.cpuinfo);
        sources.cpuMaxFreq = data(c.maxFreq);
        sources.memory = [&c] { return c.memory; };
        sources.browserVersion = [&c] { return c.browserVersion; };
        const SystemSummary s = SystemInfo(sources).read();
        EXPECT_EQ(s.os, c.os);
        EXPECT_EQ(s.cpu, c.cpu);
        EXPECT_EQ(s.memory, c.mem);
        EXPECT_EQ(s.browser, c.browser);
        ASSERT_EQ(s.problems.size(), c.problems);
        if (c.problems > 0) {
            EXPECT_EQ(s.problems[0].message(),
                      QStringLiteral("Valore non valido per 'cpu MHz': 'unknown'"));
        }
    }
}

TEST(InfoLines, OsReleaseFallsBackToTheSecondFile) {
    SystemSources sources;
    sources.osRelease = {data("missing"), data("os-release-rolling")};
    EXPECT_EQ(osVersionText(SystemInfo(sources).readOsRelease()),
              QStringLiteral("Arch Linux (version )"));
}

TEST(InfoLines, SettingsLines) {
    EXPECT_EQ(firstStartText(QStringLiteral("05/03/2004 18.07.31")),
              QStringLiteral("Primo avvio Telmora:  05/03/2004 18.07.31"));
    EXPECT_EQ(firstStartText(QString()), QStringLiteral("Primo avvio Telmora:  "));
    EXPECT_EQ(abnormalStopsText(0), QStringLiteral("Arresti anomali:  0"));
    EXPECT_EQ(abnormalStopsText(12), QStringLiteral("Arresti anomali:  12"));
}

TEST(InfoLines, ThisMachineGivesMemory) {
    const std::optional<MemoryStatus> m = sysinfoMemory();
    ASSERT_TRUE(m);
    EXPECT_GT(m->totalBytes, 0u);
    EXPECT_LE(m->availableBytes, m->totalBytes);
}

}  // namespace
}  // namespace telmora
