#include "SimDialUp.h"

namespace telmora {

namespace {
const QString kSection = QStringLiteral("dialup");
}  // namespace

bool SimDialUp::load() {
    return control_.integer(kSection, QStringLiteral("loaded"), 1) != 0;
}

int SimDialUp::enumConnections(std::array<RasConnEntry, kMaxEntries>& entries, int& count) {
    if (control_.integer(kSection, QStringLiteral("fail"), 0) != 0) return kFailed;
    const std::int64_t n = control_.integer(kSection, QStringLiteral("count"), 0);
    count = n < 0 ? 0 : n > 1000 ? 1000 : static_cast<int>(n);
    if (count > kMaxEntries) return kErrorBufferTooSmall;
    for (int i = 0; i < count; ++i) {
        entries[i] = RasConnEntry{};
        entries[i].handle = static_cast<std::uint32_t>(i + 1);
    }
    if (count > 0) {
        entries[0].entryName = control_.text(kSection, QStringLiteral("entry")).toStdString();
        entries[0].deviceType =
            control_.text(kSection, QStringLiteral("devicetype"), QStringLiteral("modem"))
                .toStdString();
        entries[0].deviceName = control_.text(kSection, QStringLiteral("devicename")).toStdString();
    }
    return 0;
}

RasConnStatus SimDialUp::connectStatus(std::uint32_t) {
    if (control_.integer(kSection, QStringLiteral("statusfail"), 0) != 0) return {};
    return {static_cast<std::uint32_t>(control_.integer(kSection, QStringLiteral("state"), 8192)),
            static_cast<std::uint32_t>(control_.integer(kSection, QStringLiteral("error"), 0))};
}

int SimDialUp::pppIpProjection(std::uint32_t, RasPppIp& out) {
    const QString client = control_.text(kSection, QStringLiteral("clientip"));
    if (client.isEmpty()) return kFailed;
    out.clientIp = client.toStdString();
    out.serverIp = control_.text(kSection, QStringLiteral("serverip")).toStdString();
    return 0;
}

}  // namespace telmora
