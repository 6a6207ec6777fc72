#include "uConnectionCommands.h"

namespace telmora {

bool ConnectionCommands::connected() {
    std::uint32_t flags = 0;
    return internet_.connectedState(flags);
}

void ConnectionCommands::DialConnection() {
    if (connected()) return;
    if (!internet_.autodial()) {
        messages_.error(QStringLiteral("Impossibile stabilire una connessione"));
    }
}

void ConnectionCommands::HangUpConnection() {
    if (connected()) internet_.autodialHangup();
}

}  // namespace telmora
