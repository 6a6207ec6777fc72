#include "uPasswordCodec.h"

#include <algorithm>
#include <utility>

namespace telmora {
namespace {

// Fixed for every version of Telmora: the file name of an existing password file is computed
// from them, so changing either one loses the way to every file already written.
constexpr int kNameMix = 113;  // K: added to the position of each byte of the name
constexpr char kNameLetters[] = "KXRMBQTWZHDNVFJP";  // replaces the hex digits 0..9, A..F

const QByteArray& alphabet() {
    static const QByteArray a(kPasswordAlphabet);
    return a;
}

// The table turns one place to the right: the last character moves to the front.
void rotateRight(QByteArray& w) {
    if (w.size() < 2) return;
    const char last = w.back();
    w.chop(1);
    w.prepend(last);
}

int uniform(QRandomGenerator& random, int bound) {
    return bound <= 0 ? 0 : static_cast<int>(random.bounded(static_cast<quint32>(bound)));
}

}  // namespace

QString PasswordFileName(const QString& name) {
    QString hex;
    const QByteArray bytes = name.toUtf8();
    for (int i = 0; i < bytes.size(); ++i) {
        const int code = static_cast<unsigned char>(bytes[i]);
        const int mixed = code ^ (kNameMix + i + 1);
        hex += QStringLiteral("%1").arg(mixed, 2, 16, QLatin1Char('0')).toUpper();
    }
    QString out;
    out.reserve(hex.size());
    for (const QChar c : hex) {
        const int digit = c.isDigit() ? c.unicode() - '0' : c.unicode() - 'A' + 10;
        out += QChar::fromLatin1(kNameLetters[digit]);
    }
    return out.toLower();
}

QByteArray RandomChars(const QByteArray& pool, int count, QRandomGenerator& random) {
    QByteArray left = pool;
    QByteArray out;
    const int n = std::min<int>(std::max(count, 0), static_cast<int>(left.size()));
    out.reserve(n);
    for (int i = 0; i < n; ++i) {
        const int at = uniform(random, static_cast<int>(left.size()));
        out += left[at];
        left.remove(at, 1);
    }
    return out;
}

QByteArray NewPasswordKey(QRandomGenerator& random) {
    return RandomChars(alphabet(), kPasswordKeyLength, random);
}

bool IsValidPasswordKey(const QByteArray& key) {
    if (key.size() < kPasswordKeyLength) return false;
    bool seen[256] = {};
    for (const char c : key) {
        const auto u = static_cast<unsigned char>(c);
        if (seen[u] || !alphabet().contains(c)) return false;
        seen[u] = true;
    }
    return true;
}

QByteArray EncodePassword(const QByteArray& password, const QByteArray& key, int most, int least,
                          QRandomGenerator& random) {
    if (most < least) std::swap(most, least);
    least = std::max(least, 0);
    most = std::min(most, 100);
    if (!IsValidPasswordKey(key)) return {};

    QByteArray noisePool;
    for (const char c : alphabet()) {
        if (!key.contains(c)) noisePool += c;
    }

    QByteArray w = key;
    QByteArray code;
    code.reserve(password.size() * 2);
    for (const char byte : password) {
        const int v = static_cast<unsigned char>(byte);
        code += w[v % 16];
        rotateRight(w);
        code += w[v / 16];
        rotateRight(w);
    }

    // r is drawn from 0 .. most - least - 1, or 0 when the two are equal.
    auto spread = [&] { return least + uniform(random, most - least); };
    QByteArray out = RandomChars(noisePool, spread() + 1, random);
    for (const char c : code) {
        out += c;
        out += RandomChars(noisePool, spread(), random);
    }
    return out;
}

QByteArray DecodePassword(const QByteArray& encoded, const QByteArray& key) {
    if (!IsValidPasswordKey(key)) return kPasswordFailure;
    QByteArray code;
    for (const char c : encoded) {
        if (key.contains(c)) code += c;
    }
    if (code.size() % 2 != 0) return kPasswordFailure;

    QByteArray w = key;
    QByteArray out;
    out.reserve(code.size() / 2);
    for (qsizetype i = 0; i < code.size(); i += 2) {
        // The encoder only ever takes the first sixteen places of the table; a character found
        // further on comes from a longer key the text was not made with.
        const qsizetype low = w.indexOf(code[i]);
        rotateRight(w);
        const qsizetype high = w.indexOf(code[i + 1]);
        rotateRight(w);
        if (low < 0 || low >= 16 || high < 0 || high >= 16) return kPasswordFailure;
        out += static_cast<char>(low + 16 * high);
    }
    return out;
}

}  // namespace telmora
