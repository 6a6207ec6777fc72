#pragma once
// Process-level facilities: the single-instance guard, the priority, the autostart entry.

#include <QString>

namespace telmora {

class IInstanceGuard {
public:
    virtual ~IInstanceGuard() = default;
    // True when this process is the only copy; the guard is then held until the process ends.
    virtual bool acquire() = 0;
};

class IProcessControl {
public:
    virtual ~IProcessControl() = default;
    virtual void setIdlePriority() = 0;
};

class IAutostart {
public:
    virtual ~IAutostart() = default;
    virtual bool exists() const = 0;
    // Throws Error when the entry cannot be written.
    virtual void write(const QString& programPath) = 0;
    // Removes the entry when there is one; throws Error when it is there and cannot be removed.
    virtual void remove() = 0;
};

}  // namespace telmora
