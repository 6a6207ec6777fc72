#pragma once
// Firefox's page, read with no setup from the profile in use: its session file
// sessionstore-backups/recovery.jsonlz4, which Firefox rewrites while the user browses.
// Every file read here is untrusted: a damaged, oversized or half-written one gives nothing.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace telmora {

// The largest session file read, and the largest JSON it may unpack to; anything beyond is no
// answer rather than a burden on memory.
inline constexpr qint64 kMaxSessionFileBytes = 16 * 1024 * 1024;
inline constexpr qint64 kMaxSessionJsonBytes = 16 * 1024 * 1024;

// The folders where Firefox keeps profiles.ini: ~/.mozilla/firefox and
// $XDG_CONFIG_HOME/mozilla/firefox (default ~/.config).
QStringList firefoxProfileRoots();

enum class ProfileLock {
    None,   // no lock link: cannot tell, taken as in use
    Live,   // the lock link names a running process
    Stale,  // the lock link names a process that is gone: Firefox is not running on it
};

struct FirefoxProfile {
    QString path;
    ProfileLock lock = ProfileLock::None;
};

// The lock state of a profile folder, from its "lock" link ("ADDRESS:+PID").
ProfileLock profileLock(const QString& profileDir);

// The profile in use: the install defaults of profiles.ini and installs.ini first, then the
// profile marked Default=1, then any other; among them the first whose lock names a live
// process, else the first of them. Nothing when no root lists a profile.
std::optional<FirefoxProfile> findFirefoxProfile(const QStringList& roots);

// The JSON inside a mozLz4 file ("mozLz40\0", 4-byte little-endian size, one LZ4 block).
std::optional<QByteArray> decodeMozLz4(const QByteArray& file);
// Reads and decodes the file at path; nothing when it is missing, too large or damaged.
std::optional<QByteArray> readMozLz4File(const QString& path);

// "URL","TITLE" of windows[selectedWindow-1].tabs[selected-1].entries[index-1]; empty when the
// JSON is not a session or names no page.
QString firefoxAnswerFromSession(const QByteArray& json);

// The whole request: profile, session file, answer.
QString firefoxAnswer(const QStringList& roots);

}  // namespace telmora
