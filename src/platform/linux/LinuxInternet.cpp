#include "LinuxInternet.h"

#include <net/route.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>
#include <sstream>
#include <thread>

extern char** environ;

namespace telmora {

LinuxInternet::LinuxInternet(NetRoots roots, DialCommands commands, EnvLookup environment)
    : roots_(std::move(roots)),
      commands_(std::move(commands)),
      environment_(std::move(environment)) {}

std::optional<std::string> LinuxInternet::processEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr) return std::nullopt;
    return std::string(value);
}

// /proc/net/route: a header line, then Iface Destination Gateway Flags RefCnt Use Metric Mask ...
// with the addresses in hexadecimal. The default route has destination and mask 0.
std::uint32_t LinuxInternet::defaultRouteFlags() const {
    const std::optional<std::string> table = netfs::readFile(roots_.proc + "/net/route");
    if (!table) return 0;
    std::istringstream lines(*table);
    std::string line;
    std::getline(lines, line);  // header
    std::uint32_t flags = 0;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string iface, destination, gateway, routeFlags, refCount, use, metric, mask;
        if (!(fields >> iface >> destination >> gateway >> routeFlags >> refCount >> use >>
              metric >> mask)) {
            continue;
        }
        if (destination != "00000000" || mask != "00000000") continue;
        if ((std::strtoul(routeFlags.c_str(), nullptr, 16) & RTF_UP) == 0) continue;
        flags |= netfs::isPppInterface(roots_, iface) ? kConnModem : kConnLan;
    }
    return flags;
}

bool LinuxInternet::proxyConfigured() const {
    for (const char* name : {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY"}) {
        const std::optional<std::string> value = environment_(name);
        if (value && !value->empty()) return true;
    }
    return false;
}

bool LinuxInternet::connectedState(std::uint32_t& flags) {
    flags = defaultRouteFlags();
    if (flags != 0 && proxyConfigured()) flags |= kConnProxy;
    return flags != 0;
}

bool LinuxInternet::pppLinkUp() const {
    const std::optional<std::vector<PppLink>> links = netfs::pppLinks(roots_);
    if (!links) return false;
    for (const PppLink& link : *links) {
        if (link.up) return true;
    }
    return false;
}

bool LinuxInternet::autodial() {
    if (runAndWait(commands_.dial) != 0) return false;
    const auto deadline = std::chrono::steady_clock::now() + commands_.linkWait;
    for (;;) {
        if (pppLinkUp()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(commands_.linkCheck);
    }
}

void LinuxInternet::autodialHangup() {
    runAndWait(commands_.hangUp);
}

int runAndWait(const std::vector<std::string>& command) {
    if (command.empty()) return -1;
    std::vector<char*> argv;
    for (const std::string& arg : command) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace telmora
