#pragma once
// A settings file of the profile kind: [section] headers and key=value lines, names compared
// without regard to case. Every call opens the file by name; every write replaces the file
// atomically and is on disk before the call returns, so a crash leaves the old or the new file.

#include <QString>
#include <cstdint>
#include <optional>

namespace telmora {

class IniFile {
public:
    explicit IniFile(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }

    bool valueExists(const QString& section, const QString& key) const;
    QString readString(const QString& section, const QString& key, const QString& def) const;
    // Decimal, optionally signed, or 0x followed by hexadecimal digits; anything else is def.
    std::int64_t readInteger(const QString& section, const QString& key, std::int64_t def) const;
    // Read as an integer: any value but 0 is true.
    bool readBool(const QString& section, const QString& key, bool def) const;

    // Each throws Error("Unable to write to <path>") when the file cannot be written.
    void writeString(const QString& section, const QString& key, const QString& value) const;
    void writeInteger(const QString& section, const QString& key, std::int64_t value) const;
    void writeBool(const QString& section, const QString& key, bool value) const;

private:
    std::optional<QString> rawValue(const QString& section, const QString& key) const;

    QString path_;
};

std::optional<std::int64_t> parseProfileInteger(const QString& text);

}  // namespace telmora
