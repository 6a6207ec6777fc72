#include <array>

#include "uRasMonitor.h"

namespace telmora {

namespace {

// States 0 to 21 of a connection being made, in code order.
constexpr std::array<const char*, 22> kDialingTexts = {
    "Opening port",
    "Port opened",
    "Connecting device",
    "Device connected",
    "All devices connected",
    "Start authenticating",
    "Authentication: notify",
    "Authentication: retry",
    "Authentication: callback",
    "Authentication: change password",
    "Authentication: projecting",
    "Authentication: link speed",
    "Authentication: acknowledge",
    "Authentication: reauthenticate",
    "Authenticated",
    "Preparing for callback",
    "Waiting for modem reset",
    "Waiting for callback",
    "Projected",
    "Start authentication",
    "Callback complete",
    "Logging on network",
};

// States 4096 to 4099, where the dialing waits for the caller.
constexpr std::array<const char*, 4> kPausedTexts = {
    "Interactive",
    "Retry Authentication",
    "Callback set by caller",
    "Password expired",
};

constexpr std::uint32_t kPausedFirst = 4096;

}  // namespace

QString StatusToText(std::uint32_t state, std::uint32_t error) {
    if (error != 0) return QStringLiteral("ERRROR");  // the spelling callers compare against
    if (state < kDialingTexts.size()) return QString::fromLatin1(kDialingTexts[state]);
    if (state >= kPausedFirst && state - kPausedFirst < kPausedTexts.size()) {
        return QString::fromLatin1(kPausedTexts[state - kPausedFirst]);
    }
    if (state == IDialUp::kConnected) return QStringLiteral("Connected");
    if (state == IDialUp::kDisconnected) return QStringLiteral("Disconnected");
    return {};
}

}  // namespace telmora
