#pragma once
// The password codec: the disguised name of the password file, the random key stored beside the
// password, and the scrambling of the password with that key. Works on bytes (one byte per
// character); the texts the user types reach it as UTF-8.

#include <QByteArray>
#include <QRandomGenerator>
#include <QString>

namespace telmora {

// The 64 characters keys, code and noise are drawn from, in this order.
inline constexpr char kPasswordAlphabet[] =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz+/";
inline constexpr int kPasswordKeyLength = 16;

// What DecodePassword answers for a damaged text: the single character with code 1. Nobody can
// type it, and the comparisons refuse it anyway (PasswordMatches).
inline const QByteArray kPasswordFailure = QByteArrayLiteral("\x01");

// The disguised file name for a program name ("telmora" for telmora.exe): lower-case letters,
// two per byte of the name (three where the mixing constant plus the position passes 255).
QString PasswordFileName(const QString& name);

// count distinct characters of pool, each drawn uniformly among the characters still left. A
// pool with fewer characters than count gives all of them, in random order.
QByteArray RandomChars(const QByteArray& pool, int count,
                       QRandomGenerator& random = *QRandomGenerator::system());

// A fresh key: 16 distinct characters of the alphabet.
QByteArray NewPasswordKey(QRandomGenerator& random = *QRandomGenerator::system());

// A key is valid with at least 16 characters, all of the alphabet, none twice.
bool IsValidPasswordKey(const QByteArray& key);

// The password scrambled with the key: its code (two key characters per byte) mixed with noise
// drawn from the rest of the alphabet, most - least noise characters at most in front and after
// each code character. Empty when the key is invalid.
QByteArray EncodePassword(const QByteArray& password, const QByteArray& key, int most, int least,
                          QRandomGenerator& random = *QRandomGenerator::system());

// The password back, or kPasswordFailure when the key is invalid or the text was not made with
// it.
QByteArray DecodePassword(const QByteArray& encoded, const QByteArray& key);

}  // namespace telmora
