#pragma once
// The simulated platform's control file telmora.sim (settings-file format, read afresh at every
// access) and its log telmora.simlog, where everything it does outward is written, one line each.

#include <QString>
#include <mutex>

#include "uIniFile.h"

namespace telmora {

class SimControl {
public:
    explicit SimControl(const QString& programDir);

    const IniFile& file() const { return file_; }
    std::int64_t integer(const QString& section, const QString& key, std::int64_t def) const {
        return file_.readInteger(section, key, def);
    }
    QString text(const QString& section, const QString& key, const QString& def = {}) const {
        return file_.readString(section, key, def);
    }
    // Writes back into the control file (dialing and hanging up change the simulated state).
    void set(const QString& section, const QString& key, const QString& value) const;

private:
    IniFile file_;
};

class SimLog {
public:
    explicit SimLog(const QString& programDir);
    // Appends one line; carriage returns and line feeds inside it are written as \r and \n.
    void write(const QString& line);
    static QString escape(QString text);

private:
    QString path_;
    std::mutex mutex_;
};

}  // namespace telmora
