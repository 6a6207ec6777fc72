#pragma once
// A dial-up service and a host whose answers a test sets before each poll.

#include <optional>
#include <vector>

#include "IDialUp.h"
#include "IHostInfo.h"
#include "QStringPrint.h"

namespace telmora::test {

class FakeDialUp final : public IDialUp {
public:
    bool loaded = true;
    int loadCalls = 0;
    int enumResult = 0;
    std::vector<RasConnEntry> connections;  // more than kMaxEntries makes enumeration fail
    RasConnStatus status{IDialUp::kConnected, 0};
    bool statusFails = false;
    std::optional<RasPppIp> projection = RasPppIp{"10.0.0.2", "10.0.0.1"};
    int polls = 0;

    bool load() override {
        ++loadCalls;
        return loaded;
    }
    int enumConnections(std::array<RasConnEntry, kMaxEntries>& entries, int& count) override {
        ++polls;
        count = static_cast<int>(connections.size());
        if (enumResult != 0) return enumResult;
        if (count > kMaxEntries) return kErrorBufferTooSmall;
        for (int i = 0; i < count; ++i) entries[i] = connections[i];
        return 0;
    }
    RasConnStatus connectStatus(std::uint32_t) override {
        return statusFails ? RasConnStatus{} : status;
    }
    int pppIpProjection(std::uint32_t, RasPppIp& out) override {
        if (!projection) return 1;
        out = *projection;
        return 0;
    }
};

class FakeHost final : public IHostInfo {
public:
    std::optional<std::string> name = "pc-ufficio";
    std::optional<std::array<std::uint8_t, 4>> address =
        std::array<std::uint8_t, 4>{192, 168, 1, 5};
    std::string askedFor;

    std::optional<std::string> hostName() override { return name; }
    std::optional<std::array<std::uint8_t, 4>> firstAddress(const std::string& n) override {
        askedFor = n;
        return address;
    }
};

}  // namespace telmora::test
