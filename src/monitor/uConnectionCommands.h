#pragma once
// Dialing and hanging up the default Internet connection through the autodial service. The
// monitor notices the change at its next poll; these commands raise nothing themselves.

#include "IInternet.h"
#include "IMessages.h"

namespace telmora {

class ConnectionCommands {
public:
    ConnectionCommands(IInternet& internet, IMessages& messages)
        : internet_(internet), messages_(messages) {}

    // Dials unless the system is already connected by any means; a failure shows an error box.
    // Holds the caller for as long as the autodial service takes.
    void DialConnection();
    // Hangs up only when the system reports a connection; no wait, no retry, no message.
    void HangUpConnection();

private:
    bool connected();

    IInternet& internet_;
    IMessages& messages_;
};

}  // namespace telmora
