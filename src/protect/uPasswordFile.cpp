#include "uPasswordFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "uError.h"
#include "uPasswordCodec.h"

namespace telmora {
namespace {

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// The noise the password is mixed with: 1 to 5 characters in front, 0 to 4 after each code one.
constexpr int kMostNoise = 5;
constexpr int kLeastNoise = 0;

QString cannot(const char* verb, const QString& path, const QString& reason) {
    return QStringLiteral("Impossibile %1 il file della password %2: %3")
        .arg(QLatin1String(verb), path, reason);
}

bool isBlankOrControl(QChar c) {
    return c.unicode() <= 0x20 || c.isSpace() || c.category() == QChar::Other_Control;
}

// One line of the file: up to CR LF, LF or CR; nothing when the text has no line left.
bool takeLine(const QByteArray& text, qsizetype& at, QByteArray& line) {
    if (at >= text.size()) return false;
    qsizetype end = at;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    line = text.mid(at, end - at);
    if (end < text.size() && text[end] == '\r') ++end;
    if (end < text.size() && text[end] == '\n') ++end;
    at = end;
    return true;
}

}  // namespace

QString passwordFolder() {
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) return QDir::cleanPath(xdg);
    return QDir::homePath() + QStringLiteral("/.config");
}

QString passwordFilePath(const QString& programFile, const QString& folder) {
    const QString name = QFileInfo(programFile).completeBaseName();
    return QDir(folder).filePath(PasswordFileName(name) + QStringLiteral(".qrlt"));
}

bool passwordFileExists(const QString& passwordFile) {
    return !passwordFile.isEmpty() && QFileInfo::exists(passwordFile);
}

QString trimPassword(const QString& typed) {
    qsizetype first = 0, last = typed.size();
    while (first < last && isBlankOrControl(typed[first])) ++first;
    while (last > first && isBlankOrControl(typed[last - 1])) --last;
    return typed.mid(first, last - first);
}

bool PasswordMatches(const QString& typed, const QByteArray& stored) {
    if (typed.isEmpty() || stored.isEmpty() || stored == kPasswordFailure) return false;
    return typed.toUtf8() == stored;
}

void SavePassword(const QString& passwordFile, const QString& password) {
    const QString source = QStringLiteral("TMainForm");
    const QString folder = QFileInfo(passwordFile).absolutePath();
    if (!QDir().mkpath(folder)) {
        throw Error(source,
                    QStringLiteral("Impossibile creare la cartella %1 del file della password")
                        .arg(folder));
    }
    const QByteArray key = NewPasswordKey();
    const QByteArray encoded = EncodePassword(password.toUtf8(), key, kMostNoise, kLeastNoise);

    QSaveFile file(passwordFile);
    // Owner-only before the first byte is written, so the new file is never readable by others.
    if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(kOwnerOnly)) {
        throw Error(source, cannot("scrivere", passwordFile, file.errorString()));
    }
    const QByteArray text = key + "\r\n" + encoded + "\r\n";
    if (file.write(text) != text.size() || !file.commit()) {
        throw Error(source, cannot("scrivere", passwordFile, file.errorString()));
    }
}

QByteArray ReadPassword(const QString& passwordFile, const QString& source) {
    QFile file(passwordFile);
    if (!file.exists()) {
        throw Error(source,
                    QStringLiteral("Il file della password %1 non esiste").arg(passwordFile));
    }
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error(source, cannot("leggere", passwordFile, file.errorString()));
    }
    const QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw Error(source, cannot("leggere", passwordFile, file.errorString()));
    }
    qsizetype at = 0;
    QByteArray key, encoded;
    if (!takeLine(text, at, key) || !takeLine(text, at, encoded)) return kPasswordFailure;
    const QByteArray password = DecodePassword(encoded, key);
    // No password is ever saved empty: a key with nothing after it is a damaged file too.
    return password.isEmpty() ? kPasswordFailure : password;
}

void DeletePasswordFile(const QString& passwordFile) {
    QFile file(passwordFile);
    if (file.exists() && !file.remove()) {
        throw Error(QStringLiteral("TMainForm"),
                    cannot("eliminare", passwordFile, file.errorString()));
    }
}

void HidePasswordFile(const QString& passwordFile) {
    if (passwordFileExists(passwordFile)) QFile::setPermissions(passwordFile, kOwnerOnly);
}

}  // namespace telmora
