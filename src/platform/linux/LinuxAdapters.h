#pragma once
// Network adapters from sysfs: the non-loopback interfaces of <sys>/class/net in index order,
// their hardware address from the address file.

#include <QString>

#include "IAdapters.h"

namespace telmora {

class LinuxAdapters final : public IAdapters {
public:
    explicit LinuxAdapters(QString sysRoot = QStringLiteral("/sys"));
    int count() override;
    std::optional<std::array<std::uint8_t, 6>> hardwareAddress(int index) override;

private:
    QStringList interfaces() const;

    QString sysRoot_;
};

}  // namespace telmora
