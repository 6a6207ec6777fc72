#pragma once
// The password file: where it lives, how it is written and read. Protection is on exactly when
// the file exists; nothing about it is kept in memory, every caller asks the disk again.
//
// The file holds two lines, each ended by CR LF: the key, then the password encoded with it.
// It is readable by its owner only (mode 0600) and lives in the user's configuration folder,
// under a name that does not tell what it is.

#include <QByteArray>
#include <QString>

namespace telmora {

// The user's configuration folder: $XDG_CONFIG_HOME when it is an absolute path, else
// ~/.config.
QString passwordFolder();

// folder + PasswordFileName(program file name without folder and extension) + ".qrlt".
QString passwordFilePath(const QString& programFile, const QString& folder = passwordFolder());

bool passwordFileExists(const QString& passwordFile);

// A password as the user typed it, without leading and trailing blanks and control characters.
QString trimPassword(const QString& typed);

// True when typed (as given: the callers decide about trimming) is the stored password. A
// damaged file (kPasswordFailure) and an empty text never match.
bool PasswordMatches(const QString& typed, const QByteArray& stored);

// Writes the password with a new key, replacing the file in one step: after a crash the old
// file or the new one is there, never a part. Creates the folder when missing. Throws Error.
void SavePassword(const QString& passwordFile, const QString& password);

// The stored password, or kPasswordFailure when the file is damaged. Throws Error when the file
// is missing or cannot be read.
QByteArray ReadPassword(const QString& passwordFile,
                        const QString& source = QStringLiteral("TMainForm"));

// Removes the file. Throws Error when it is there and cannot be removed.
void DeletePasswordFile(const QString& passwordFile);

// Owner-only access again (the file's way of being hidden); nothing when there is no file.
void HidePasswordFile(const QString& passwordFile);

}  // namespace telmora
