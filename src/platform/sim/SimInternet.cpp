#include "SimInternet.h"

namespace telmora {

namespace {
const QString kDialUp = QStringLiteral("dialup");
const QString kInternet = QStringLiteral("internet");
const QString kFlags = QStringLiteral("flags");
const QString kCount = QStringLiteral("count");
}  // namespace

bool SimInternet::connectedState(std::uint32_t& flags) {
    flags = static_cast<std::uint32_t>(control_.integer(kInternet, kFlags, 0));
    return flags != 0;
}

bool SimInternet::autodial() {
    if (control_.integer(QStringLiteral("autodial"), QStringLiteral("result"), 1) == 0) {
        log_.write(QStringLiteral("dial fail"));
        return false;
    }
    control_.set(kDialUp, kCount, QStringLiteral("1"));
    control_.set(kDialUp, QStringLiteral("state"), QStringLiteral("8192"));
    control_.set(kInternet, kFlags, QStringLiteral("1"));
    log_.write(QStringLiteral("dial ok"));
    return true;
}

void SimInternet::autodialHangup() {
    control_.set(kDialUp, kCount, QStringLiteral("0"));
    control_.set(kInternet, kFlags, QStringLiteral("0"));
    log_.write(QStringLiteral("hangup"));
}

}  // namespace telmora
