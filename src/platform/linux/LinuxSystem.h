#pragma once
// Process-level facilities on Linux: a lock file as single-instance guard, nice level and
// SCHED_IDLE as idle priority, the XDG autostart entry.

#include <QString>

#include "ISystem.h"

namespace telmora {

// flock on a lock file named Telmora in $XDG_RUNTIME_DIR (or /tmp). The descriptor is opened
// close-on-exec, so no child started by the program keeps the lock after it dies.
class LinuxInstanceGuard final : public IInstanceGuard {
public:
    explicit LinuxInstanceGuard(QString lockPath = defaultLockPath());
    ~LinuxInstanceGuard() override;
    bool acquire() override;
    static QString defaultLockPath();

private:
    QString path_;
    int fd_ = -1;
};

class LinuxProcessControl final : public IProcessControl {
public:
    void setIdlePriority() override;
};

// ~/.config/autostart/Telmora.desktop (XDG_CONFIG_HOME respected). An existing entry is never
// overwritten, whatever its contents.
class XdgAutostart final : public IAutostart {
public:
    explicit XdgAutostart(QString entryPath = defaultEntryPath());
    bool exists() const override;
    void write(const QString& programPath) override;
    void remove() override;
    const QString& entryPath() const { return path_; }
    static QString defaultEntryPath();

private:
    QString path_;
};

}  // namespace telmora
