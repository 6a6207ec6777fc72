#pragma once
// The program's settings in telmora.ini: the options the user sets, the abnormal-stop count and
// the first-start date. Values live in memory while the program runs; this class knows the
// keys, their order and their defaults.

#include "uIniFile.h"

namespace telmora {

struct Options {
    bool tracciaweb = false;
    int rg = 0;
    bool daylimit = false;
    bool monthlimit = false;
    bool disconnectday = false;
    bool disconnectmonth = false;
    int hdaylimit = 1;
    int hmonthlimit = 1;

    bool operator==(const Options&) const = default;
};

class Settings {
public:
    explicit Settings(QString path) : file_(std::move(path)) {}

    const IniFile& file() const { return file_; }

    Options loadOptions() const;
    // The eight option keys in their fixed order; throws on the first write that fails.
    void saveOptions(const Options& options) const;

    // At start: reads arresti; when the last run did not end in order (anomalo still set) counts
    // one more abnormal stop, otherwise marks this run as under way. Returns the count.
    int countAbnormalStop() const;
    // At an orderly exit, after the options.
    void markOrderlyExit() const;

    // Writes the first-start date when the file has none; it is never rewritten.
    void writeFirstStartOnce(const QString& displayText) const;
    QString firstStart() const;

private:
    IniFile file_;
};

}  // namespace telmora
