#pragma once
// The Internet connection state on Linux and the autodial service: an up PPP link, or a default
// route through one, counts as modem, a default route through any other interface as LAN, and a
// configured proxy adds the proxy flag. Dialing runs pon and hanging up poff, of the ppp package.

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "IInternet.h"
#include "LinuxNetRoots.h"

namespace telmora {

// The commands that dial and hang up, with the bound on waiting for the link.
struct DialCommands {
    std::vector<std::string> dial{"pon"};
    std::vector<std::string> hangUp{"poff"};
    // pon returns as soon as pppd has started; dialing succeeds once a link is up.
    std::chrono::milliseconds linkWait{60000};
    std::chrono::milliseconds linkCheck{250};
};

class LinuxInternet final : public IInternet {
public:
    using EnvLookup = std::function<std::optional<std::string>(const char* name)>;

    explicit LinuxInternet(NetRoots roots = {}, DialCommands commands = {},
                           EnvLookup environment = processEnvironment);

    // Connected when a PPP link is up or there is a default route. The proxy flag comes with a
    // connection only: a proxy setting alone does not make an offline machine count as connected.
    bool connectedState(std::uint32_t& flags) override;
    bool autodial() override;
    void autodialHangup() override;

    static std::optional<std::string> processEnvironment(const char* name);

private:
    std::uint32_t defaultRouteFlags() const;
    bool proxyConfigured() const;
    bool pppLinkUp() const;

    NetRoots roots_;
    DialCommands commands_;
    EnvLookup environment_;
};

// Runs a program found on the PATH with those arguments and waits for it: its exit status, or
// -1 when it could not be started or did not exit normally.
int runAndWait(const std::vector<std::string>& command);

}  // namespace telmora
