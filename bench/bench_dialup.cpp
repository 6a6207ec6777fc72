// One poll of the dial-up monitor on the Linux implementation, on a generated tree of ten
// network interfaces with one PPP link up (as pppd leaves it: link and interface pid files, its
// command line under /proc). The second benchmark runs 100,000 polls and reports the heap and
// the resident size before and after, to show that nothing accumulates from poll to poll.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <string>

#include "LinuxDialUp.h"
#include "LinuxNetRoots.h"
#include "uRasMonitor.h"

namespace telmora::bench {
namespace {

class NoHost final : public IHostInfo {
public:
    std::optional<std::string> hostName() override { return "bench"; }
    std::optional<std::array<std::uint8_t, 4>> firstAddress(const std::string&) override {
        return std::array<std::uint8_t, 4>{127, 0, 0, 1};
    }
};

void writeFile(const std::string& path, const std::string& text) {
    QFile file(QString::fromStdString(path));
    if (file.open(QIODevice::WriteOnly)) file.write(text.data(), qint64(text.size()));
}

// lo, two Ethernet cards, Wi-Fi, a bridge, three veth pairs' ends, a tunnel and ppp0.
NetRoots makeTree(const std::string& base) {
    struct Interface {
        const char* name;
        int type;
        const char* flags;
    };
    const Interface interfaces[] = {
        {"lo", 772, "0x9"},        {"eth0", 1, "0x1003"},     {"eth1", 1, "0x1002"},
        {"wlan0", 1, "0x1003"},    {"br0", 1, "0x1003"},      {"veth1a2b", 1, "0x1303"},
        {"veth3c4d", 1, "0x1303"}, {"veth5e6f", 1, "0x1303"}, {"tun0", 65534, "0x10d1"},
        {"ppp0", 512, "0x10d1"},
    };
    const NetRoots roots{base + "/sys", base + "/proc", base + "/run"};
    int index = 1;
    for (const Interface& i : interfaces) {
        const std::string dir = roots.netClass() + '/' + i.name;
        std::filesystem::create_directories(dir);
        writeFile(dir + "/type", std::to_string(i.type) + '\n');
        writeFile(dir + "/ifindex", std::to_string(index++) + '\n');
        writeFile(dir + "/flags", std::string(i.flags) + '\n');
    }
    std::filesystem::create_directories(roots.run);
    for (const char* other : {"sshd.pid", "crond.pid", "utmp", "dbus", "lock", "user"}) {
        writeFile(roots.run + '/' + other, "1\n");
    }
    writeFile(roots.run + "/ppp-Provider.pid", "4242\nppp0\n");
    writeFile(roots.run + "/ppp0.pid", "4242\n");
    std::filesystem::create_directories(roots.proc + "/4242");
    writeFile(roots.proc + "/4242/cmdline",
              std::string("/usr/sbin/pppd\0call\0provider\0/dev/ttyUSB0\0", 42));
    return roots;
}

struct Setup {
    QTemporaryDir dir;
    NetRoots roots = makeTree(dir.path().toStdString());
    LinuxDialUp dialUp{roots, [](const std::string&) {
                           return std::optional<RasPppIp>(RasPppIp{"10.0.0.2", "10.0.0.1"});
                       }};
    NoHost host;
    TRasMonitor monitor{dialUp, host};
};

long residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

void BM_PollOnline(benchmark::State& state) {
    Setup s;
    s.monitor.PollConnections();
    if (!s.monitor.Online()) state.SkipWithError("the fixture link is not seen as online");
    for (auto _ : state) {
        s.monitor.PollConnections();
        benchmark::DoNotOptimize(s.monitor.ConnectionDetails());
    }
}
BENCHMARK(BM_PollOnline);

void BM_MemoryOver100kPolls(benchmark::State& state) {
    Setup s;
    for (int i = 0; i < 1000; ++i) s.monitor.PollConnections();  // warm up the allocator
    const auto rssBefore = static_cast<double>(residentKb());
    const auto heapBefore = static_cast<double>(mallinfo2().uordblks);
    for (auto _ : state) s.monitor.PollConnections();
    const auto heapAfter = static_cast<double>(mallinfo2().uordblks);
    const auto rssAfter = static_cast<double>(residentKb());
    state.counters["heap_growth_B"] = heapAfter - heapBefore;
    state.counters["rss_before_kB"] = rssBefore;
    state.counters["rss_after_kB"] = rssAfter;
}
BENCHMARK(BM_MemoryOver100kPolls)->Iterations(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace telmora::bench

BENCHMARK_MAIN();
