#pragma once
// The system's view of the Internet connection, and the autodial service that dials and hangs
// up the default connection.

#include <cstdint>

namespace telmora {

enum ConnectedFlag : std::uint32_t {
    kConnModem = 1,
    kConnLan = 2,
    kConnProxy = 4,
    kConnModemBusy = 8,
};

class IInternet {
public:
    virtual ~IInternet() = default;
    // True when the system counts as connected by any means; flags get the kConn* bits.
    virtual bool connectedState(std::uint32_t& flags) = 0;
    // Dials the default connection unattended; true once it is up.
    virtual bool autodial() = 0;
    virtual void autodialHangup() = 0;
};

}  // namespace telmora
