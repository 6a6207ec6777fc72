#include "LinuxBrowserFirefox.h"

#include <lz4.h>
#include <signal.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cerrno>
#include <cstring>
#include <vector>

#include "LinuxBrowserAnswer.h"

namespace telmora {
namespace {

constexpr qint64 kMaxIniBytes = 1024 * 1024;
const QByteArray kMagic("mozLz40\0", 8);

struct IniSection {
    QString name;
    std::vector<std::pair<QString, QString>> values;

    QString value(const QString& key) const {
        for (const auto& [k, v] : values) {
            if (k.compare(key, Qt::CaseInsensitive) == 0) return v;
        }
        return {};
    }
};

// profiles.ini and installs.ini: [section] headers and key=value lines.
std::vector<IniSection> readIni(const QString& path) {
    std::vector<IniSection> sections;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return sections;
    const QByteArray bytes = file.read(kMaxIniBytes);
    for (const QByteArray& raw : bytes.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) ||
            line.startsWith(QLatin1Char('#'))) {
            continue;
        }
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            sections.push_back({line.mid(1, line.size() - 2).trimmed(), {}});
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0 || sections.empty()) continue;
        sections.back().values.emplace_back(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
    return sections;
}

// A relative path is under the root; an absolute one (IsRelative=0) stands as it is.
QString resolve(const QString& root, const QString& path, bool relative) {
    if (path.isEmpty()) return {};
    if (!relative && QDir::isAbsolutePath(path)) return QDir::cleanPath(path);
    return QDir::cleanPath(root + QLatin1Char('/') + path);
}

// An install's Default= is written the way the profile's Path is: under the root unless absolute.
QString installPath(const QString& root, const QString& path) {
    return resolve(root, path, !QDir::isAbsolutePath(path));
}

bool processAlive(long pid) {
    if (pid <= 0 || pid > 0x7fffffffL) return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

void addOnce(QStringList& list, const QString& path) {
    if (!path.isEmpty() && !list.contains(path)) list << path;
}

}  // namespace

QStringList firefoxProfileRoots() {
    const QString home = QDir::homePath();
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || !QDir::isAbsolutePath(config))
        config = home + QStringLiteral("/.config");
    return {home + QStringLiteral("/.mozilla/firefox"),
            config + QStringLiteral("/mozilla/firefox")};
}

ProfileLock profileLock(const QString& profileDir) {
    const QFileInfo link(profileDir + QStringLiteral("/lock"));
    if (!link.isSymLink()) return ProfileLock::None;
    // The link's own text, "ADDRESS:+PID" (QFileInfo would make it a path).
    const QByteArray path = QFile::encodeName(link.filePath());
    char buffer[256] = {};
    const ssize_t n = ::readlink(path.constData(), buffer, sizeof buffer - 1);
    if (n <= 0) return ProfileLock::Stale;
    const QString text = QString::fromLocal8Bit(buffer, n);
    QString pidText = text.mid(text.lastIndexOf(QLatin1Char(':')) + 1);
    if (pidText.startsWith(QLatin1Char('+'))) pidText.remove(0, 1);
    bool ok = false;
    const long pid = pidText.toLong(&ok);
    return ok && processAlive(pid) ? ProfileLock::Live : ProfileLock::Stale;
}

std::optional<FirefoxProfile> findFirefoxProfile(const QStringList& roots) {
    QStringList installs, defaults, others;
    for (const QString& root : roots) {
        for (const IniSection& s : readIni(root + QStringLiteral("/profiles.ini"))) {
            if (s.name.startsWith(QStringLiteral("Install"), Qt::CaseInsensitive)) {
                addOnce(installs, installPath(root, s.value(QStringLiteral("Default"))));
            } else if (s.name.startsWith(QStringLiteral("Profile"), Qt::CaseInsensitive)) {
                const bool relative = s.value(QStringLiteral("IsRelative")) != QLatin1String("0");
                const QString path = resolve(root, s.value(QStringLiteral("Path")), relative);
                addOnce(
                    s.value(QStringLiteral("Default")) == QLatin1String("1") ? defaults : others,
                    path);
            }
        }
        for (const IniSection& s : readIni(root + QStringLiteral("/installs.ini"))) {
            addOnce(installs, installPath(root, s.value(QStringLiteral("Default"))));
        }
    }
    QStringList candidates = installs;
    for (const QString& p : defaults) addOnce(candidates, p);
    for (const QString& p : others) addOnce(candidates, p);
    if (candidates.isEmpty()) return std::nullopt;
    for (const QString& path : candidates) {
        if (profileLock(path) == ProfileLock::Live) return FirefoxProfile{path, ProfileLock::Live};
    }
    return FirefoxProfile{candidates.front(), profileLock(candidates.front())};
}

std::optional<QByteArray> decodeMozLz4(const QByteArray& file) {
    if (file.size() < 12 || !file.startsWith(kMagic)) return std::nullopt;
    const auto* p = reinterpret_cast<const unsigned char*>(file.constData()) + 8;
    const quint32 size =
        quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
    const qint64 compressed = file.size() - 12;
    // One LZ4 block never unpacks to more than 255 bytes for each byte it holds: a larger
    // size field is a damaged file, and nothing that large is allocated for it.
    if (size == 0 || size > kMaxSessionJsonBytes || qint64(size) > compressed * 255 + 16) {
        return std::nullopt;
    }
    QByteArray json(static_cast<qsizetype>(size), Qt::Uninitialized);
    const int n = LZ4_decompress_safe(file.constData() + 12, json.data(),
                                      static_cast<int>(compressed), static_cast<int>(size));
    if (n != static_cast<int>(size)) return std::nullopt;
    return json;
}

std::optional<QByteArray> readMozLz4File(const QString& path) {
    QFile file(path);
    // One open file: a session file replaced meanwhile is read whole, old or new.
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = file.read(kMaxSessionFileBytes + 1);
    if (bytes.size() > kMaxSessionFileBytes) return std::nullopt;
    return decodeMozLz4(bytes);
}

QString firefoxAnswerFromSession(const QByteArray& json) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) return {};
    // The indexes are 1-based; one that is missing, 0 or past the end names nothing.
    auto pick = [](const QJsonValue& list, const QJsonValue& oneBased) -> QJsonObject {
        const QJsonArray items = list.toArray();
        const qint64 i = oneBased.toInteger(0);
        if (i < 1 || i > items.size()) return {};
        return items.at(static_cast<qsizetype>(i - 1)).toObject();
    };
    const QJsonObject root = doc.object();
    const QJsonObject window =
        pick(root.value(QLatin1String("windows")), root.value(QLatin1String("selectedWindow")));
    const QJsonObject tab =
        pick(window.value(QLatin1String("tabs")), window.value(QLatin1String("selected")));
    const QJsonArray entries = tab.value(QLatin1String("entries")).toArray();
    // A tab without an index shows its last entry.
    const QJsonValue index = tab.contains(QLatin1String("index"))
                                 ? tab.value(QLatin1String("index"))
                                 : QJsonValue(static_cast<qint64>(entries.size()));
    const QJsonObject entry = pick(entries, index);
    return browserAnswer(entry.value(QLatin1String("url")).toString(),
                         entry.value(QLatin1String("title")).toString());
}

QString firefoxAnswer(const QStringList& roots) {
    const std::optional<FirefoxProfile> profile = findFirefoxProfile(roots);
    // A profile whose lock names a process that is gone is not in use: its session file is
    // what a crashed Firefox left, not a page anyone is looking at.
    if (!profile || profile->lock == ProfileLock::Stale) return {};
    const std::optional<QByteArray> json =
        readMozLz4File(profile->path + QStringLiteral("/sessionstore-backups/recovery.jsonlz4"));
    return json ? firefoxAnswerFromSession(*json) : QString();
}

}  // namespace telmora
