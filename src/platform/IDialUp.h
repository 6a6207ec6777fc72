#pragma once
// The dial-up service: the operations the connection monitor polls.

#include <array>
#include <cstdint>
#include <string>

namespace telmora {

struct RasConnEntry {
    std::uint32_t handle = 0;
    std::string entryName;   // up to 256 bytes
    std::string deviceType;  // up to 16 bytes
    std::string deviceName;  // up to 128 bytes
};

struct RasConnStatus {
    std::uint32_t state = 0;  // connection-state code, 8192 = connected
    std::uint32_t error = 0;
};

struct RasPppIp {
    std::string clientIp;  // dotted, up to 15 bytes
    std::string serverIp;
};

class IDialUp {
public:
    static constexpr int kMaxEntries = 8;
    static constexpr int kErrorBufferTooSmall = 603;
    static constexpr std::uint32_t kConnected = 8192;
    static constexpr std::uint32_t kDisconnected = 8193;

    virtual ~IDialUp() = default;
    // Opens the dial-up library; true when the enumeration is available.
    virtual bool load() = 0;
    // 0 on success with count filled; non-zero on failure (kErrorBufferTooSmall for more than
    // kMaxEntries connections).
    virtual int enumConnections(std::array<RasConnEntry, kMaxEntries>& entries, int& count) = 0;
    // A failed query leaves the block zeroed.
    virtual RasConnStatus connectStatus(std::uint32_t handle) = 0;
    // 0 on success.
    virtual int pppIpProjection(std::uint32_t handle, RasPppIp& out) = 0;
};

}  // namespace telmora
