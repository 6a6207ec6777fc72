#include "uIniFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cerrno>

#include "uError.h"

namespace telmora {
namespace {

[[noreturn]] void unableToWrite(const QString& path) {
    throw Error(QStringLiteral("TIniFile"), QStringLiteral("Unable to write to %1").arg(path));
}

// The file's lines: none when there is no file, nothing at all when the file is there but cannot
// be read (a write must then fail instead of replacing the file with its one key).
std::optional<QStringList> readLines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (!QFileInfo::exists(path)) return QStringList();
        return std::nullopt;
    }
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) return std::nullopt;
    const QString text = QString::fromUtf8(bytes);
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    }
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

// The section a header line opens, or nothing when the line is no header.
std::optional<QString> sectionOf(const QString& line) {
    const QString t = line.trimmed();
    if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'))) {
        return t.mid(1, t.size() - 2).trimmed();
    }
    return std::nullopt;
}

bool keyMatches(const QString& line, const QString& key) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0) return false;
    return line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool writeAll(int fd, const QByteArray& data) {
    const char* p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

// Writes the whole file beside itself, flushes it and renames it over the old one, then flushes
// the folder so the rename survives a power cut.
bool replaceFile(const QString& path, const QByteArray& data) {
    const QFileInfo info(path);
    if (info.exists() && !info.isWritable()) return false;
    const QByteArray target = QFile::encodeName(path);
    const QByteArray temp = target + ".tmp";
    const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const bool ok = writeAll(fd, data) && ::fsync(fd) == 0;
    ::close(fd);
    if (!ok || ::rename(temp.constData(), target.constData()) != 0) {
        ::unlink(temp.constData());
        return false;
    }
    const QByteArray dir = QFile::encodeName(info.absolutePath());
    const int dfd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

}  // namespace

std::optional<std::int64_t> parseProfileInteger(const QString& text) {
    const QString t = text.trimmed();
    bool ok = false;
    std::int64_t v = 0;
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        v = static_cast<std::int64_t>(t.mid(2).toULongLong(&ok, 16));
        if (t.size() <= 2) ok = false;
    } else {
        v = t.toLongLong(&ok, 10);
    }
    if (!ok) return std::nullopt;
    return v;
}

std::optional<QString> IniFile::rawValue(const QString& section, const QString& key) const {
    bool inSection = false;
    for (const QString& line : readLines(path_).value_or(QStringList())) {
        if (const auto s = sectionOf(line)) {
            inSection = sameName(*s, section);
        } else if (inSection && keyMatches(line, key)) {
            return line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
        }
    }
    return std::nullopt;
}

bool IniFile::valueExists(const QString& section, const QString& key) const {
    return rawValue(section, key).has_value();
}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const {
    return rawValue(section, key).value_or(def);
}

std::int64_t IniFile::readInteger(const QString& section, const QString& key,
                                  std::int64_t def) const {
    const auto raw = rawValue(section, key);
    if (!raw) return def;
    return parseProfileInteger(*raw).value_or(def);
}

bool IniFile::readBool(const QString& section, const QString& key, bool def) const {
    return readInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) const {
    const auto existing = readLines(path_);
    if (!existing) unableToWrite(path_);
    QStringList lines = *existing;
    const QString entry = key + QLatin1Char('=') + value;
    qsizetype sectionAt = -1;
    qsizetype insertAt = -1;  // after the last non-blank line of the section
    bool done = false;
    for (qsizetype i = 0; i < lines.size() && !done; ++i) {
        if (const auto s = sectionOf(lines[i])) {
            if (sectionAt >= 0) break;
            if (sameName(*s, section)) {
                sectionAt = i;
                insertAt = i + 1;
            }
        } else if (sectionAt >= 0) {
            if (keyMatches(lines[i], key)) {
                lines[i] = entry;
                done = true;
            } else if (!lines[i].trimmed().isEmpty()) {
                insertAt = i + 1;
            }
        }
    }
    if (!done) {
        if (sectionAt < 0) {
            if (!lines.isEmpty() && !lines.last().trimmed().isEmpty()) lines.append(QString());
            lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
            lines.append(entry);
        } else {
            lines.insert(insertAt, entry);
        }
    }
    if (!replaceFile(path_, (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8())) {
        unableToWrite(path_);
    }
}

void IniFile::writeInteger(const QString& section, const QString& key, std::int64_t value) const {
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value) const {
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

}  // namespace telmora
