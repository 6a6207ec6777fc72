#include "LinuxInternet.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>
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

std::uint32_t LinuxInternet::defaultRouteFlags() const {
    std::uint32_t flags = 0;
    for (const DefaultRoute& route : netfs::defaultRoutes(roots_)) {
        flags |= netfs::isPppInterface(roots_, route.ifname) ? kConnModem : kConnLan;
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
    // pppd started without defaultroute leaves the link up with only a route to the peer: the
    // call is on all the same, and counts as a modem connection.
    if (pppLinkUp()) flags |= kConnModem;
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
