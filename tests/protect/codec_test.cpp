// The disguised file name, the random draws, and the scrambling of the password.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <set>

#include "QtPrinters.h"
#include "uPasswordCodec.h"

namespace telmora {
namespace {

const QByteArray kAlphabet(kPasswordAlphabet);
const QByteArray kKey = QByteArrayLiteral("Zq0+9aB/mK3xTr7L");

// Splits an encoded text into the characters of the key (the code) and the others (noise).
void split(const QByteArray& encoded, const QByteArray& key, QByteArray& code, QByteArray& noise) {
    for (const char c : encoded) (key.contains(c) ? code : noise) += c;
}

TEST(PasswordFileName, IsFixedForEveryVersion) {
    // Files written by earlier versions are found by this name: it must never change.
    EXPECT_EQ(PasswordFileName(QStringLiteral("telmora")), QStringLiteral("ktxtxzxzxhkqxh"));
    EXPECT_EQ(PasswordFileName(QString()), QString());
}

TEST(PasswordFileName, TwoLettersPerCharacterThreeOncePositionAndConstantPass255) {
    const QRegularExpression letters(QStringLiteral("^[a-z]*$"));
    for (const int n : {1, 7, 142, 143, 150}) {
        const QString name = PasswordFileName(QString(n, QLatin1Char('a')));
        EXPECT_TRUE(letters.match(name).hasMatch()) << name.toStdString();
        // From position 143 on the mixed value needs three hex digits.
        EXPECT_EQ(name.size(), n <= 142 ? 2 * n : 2 * 142 + 3 * (n - 142)) << n;
    }
    EXPECT_NE(PasswordFileName(QStringLiteral("telmora")),
              PasswordFileName(QStringLiteral("Telmora")));
}

TEST(RandomChars, DistinctCharactersOfThePool) {
    QRandomGenerator random(7);
    for (const int count : {0, 1, 16, 64}) {
        const QByteArray drawn = RandomChars(kAlphabet, count, random);
        EXPECT_EQ(drawn.size(), count);
        EXPECT_EQ(std::set<char>(drawn.begin(), drawn.end()).size(), size_t(count));
        for (const char c : drawn) EXPECT_TRUE(kAlphabet.contains(c));
    }
    // More than the pool holds: all of it, once each.
    const QByteArray all = RandomChars(QByteArrayLiteral("abc"), 10, random);
    EXPECT_EQ(std::set<char>(all.begin(), all.end()), (std::set<char>{'a', 'b', 'c'}));
    EXPECT_TRUE(RandomChars(QByteArrayLiteral("abc"), -1, random).isEmpty());
}

TEST(RandomChars, EveryCharacterEquallyLikelyInEveryPlace) {
    QRandomGenerator random(11);
    const QByteArray pool = QByteArrayLiteral("abcdefgh");
    int first[8] = {}, last[8] = {};
    const int draws = 16000;
    for (int i = 0; i < draws; ++i) {
        const QByteArray d = RandomChars(pool, 8, random);
        ++first[pool.indexOf(d.front())];
        ++last[pool.indexOf(d.back())];
    }
    for (int i = 0; i < 8; ++i) {
        EXPECT_NEAR(first[i], draws / 8, draws / 8 / 5) << pool[i];
        EXPECT_NEAR(last[i], draws / 8, draws / 8 / 5) << pool[i];
    }
}

TEST(NewPasswordKey, SixteenDistinctCharactersDrawnAnew) {
    const QByteArray a = NewPasswordKey(), b = NewPasswordKey();
    EXPECT_TRUE(IsValidPasswordKey(a));
    EXPECT_EQ(a.size(), 16);
    EXPECT_EQ(std::set<char>(a.begin(), a.end()).size(), 16u);
    EXPECT_NE(a, b);
}

TEST(EncodePassword, RoundTripsOneToFortyBytesWithinTheBounds) {
    QRandomGenerator random(2026);
    for (int n = 1; n <= 40; ++n) {
        QByteArray password;
        for (int i = 0; i < n; ++i) password += static_cast<char>(random.bounded(1, 256));
        password[0] = static_cast<char>(0x80 + n);  // always a byte above 127
        const QByteArray key = NewPasswordKey(random);
        const QByteArray encoded = EncodePassword(password, key, 5, 0, random);
        SCOPED_TRACE(n);
        EXPECT_EQ(DecodePassword(encoded, key), password);
        EXPECT_GE(encoded.size(), 1 + 2 * n);
        EXPECT_LE(encoded.size(), 5 + 10 * n);
        QByteArray code, noise;
        split(encoded, key, code, noise);
        EXPECT_EQ(code.size(), 2 * n);
        for (const char c : noise) EXPECT_TRUE(kAlphabet.contains(c)) << c;
    }
}

TEST(EncodePassword, NoiseInFrontAndAfterEachCodeCharacterSpansItsRange) {
    // One byte: 1 to 5 noise characters in front, 0 to 4 after each of the two code ones.
    QRandomGenerator random(5);
    std::set<int> front, after;
    for (int i = 0; i < 3000; ++i) {
        const QByteArray e = EncodePassword(QByteArrayLiteral("x"), kKey, 5, 0, random);
        int at = 0;
        while (!kKey.contains(e[at])) ++at;
        front.insert(at);
        int run = 0;
        for (int j = at + 1; j < e.size() && !kKey.contains(e[j]); ++j) ++run;
        after.insert(run);
    }
    EXPECT_EQ(front, (std::set<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(after, (std::set<int>{0, 1, 2, 3, 4}));
}

TEST(EncodePassword, BoundsAreSwappedAndClamped) {
    QRandomGenerator random(3);
    const QByteArray password = QByteArrayLiteral("abc");
    // most equal to least: exactly least + 1 in front and least after each code character.
    EXPECT_EQ(EncodePassword(password, kKey, 2, 2, random).size(), 3 + 6 * 3);
    for (int i = 0; i < 200; ++i) {
        const QByteArray swapped = EncodePassword(password, kKey, 0, 5, random);
        EXPECT_GE(swapped.size(), 1 + 6);
        EXPECT_LE(swapped.size(), 5 + 30);
        // A negative least counts as 0: the code may follow a single noise character.
        EXPECT_EQ(DecodePassword(EncodePassword(password, kKey, 1, -3, random), kKey), password);
    }
    // Noise runs longer than the 48 characters left are cut to them; the password survives.
    EXPECT_EQ(DecodePassword(EncodePassword(password, kKey, 500, 90, random), kKey), password);
}

TEST(EncodePassword, SamePasswordTwiceDiffersAndDecodesAlike) {
    const QByteArray password = QByteArrayLiteral("segreto");
    const QByteArray a = EncodePassword(password, kKey, 5, 0);
    const QByteArray b = EncodePassword(password, kKey, 5, 0);
    EXPECT_NE(a, b);
    EXPECT_EQ(DecodePassword(a, kKey), password);
    EXPECT_EQ(DecodePassword(b, kKey), password);
}

TEST(PasswordKey, InvalidKeysGiveTheEmptyTextOrTheFailure) {
    const struct {
        const char* why;
        QByteArray key;
    } cases[] = {
        {"empty", QByteArray()},
        {"fifteen characters", kKey.left(15)},
        {"a character twice", kKey.left(15) + kKey.left(1)},
        {"a character outside the alphabet", kKey.left(15) + '-'},
        {"a byte above 127", kKey.left(15) + '\xe9'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_FALSE(IsValidPasswordKey(c.key));
        EXPECT_TRUE(EncodePassword(QByteArrayLiteral("abc"), c.key, 5, 0).isEmpty());
        EXPECT_EQ(DecodePassword(EncodePassword(QByteArrayLiteral("abc"), kKey, 5, 0), c.key),
                  kPasswordFailure);
    }
    // Longer keys are valid and work.
    const QByteArray longKey = kKey + QByteArrayLiteral("uvw");
    EXPECT_TRUE(IsValidPasswordKey(longKey));
    EXPECT_EQ(DecodePassword(EncodePassword(QByteArrayLiteral("abc"), longKey, 5, 0), longKey),
              QByteArrayLiteral("abc"));
}

TEST(DecodePassword, DamagedTextsGiveTheFailure) {
    const QByteArray encoded = EncodePassword(QByteArrayLiteral("abc"), kKey, 5, 0);
    QByteArray code, noise;
    split(encoded, kKey, code, noise);
    EXPECT_EQ(DecodePassword(code, kKey), QByteArrayLiteral("abc"));  // noise is optional
    EXPECT_EQ(DecodePassword(code.left(5), kKey), kPasswordFailure);  // odd count
    EXPECT_EQ(DecodePassword(encoded + kKey.left(1), kKey), kPasswordFailure);
    // A code character beyond the first sixteen places of a longer key was never written.
    const QByteArray longKey = kKey + QByteArrayLiteral("u");
    EXPECT_EQ(DecodePassword(QByteArrayLiteral("uu"), longKey), kPasswordFailure);
    // Nothing but noise is the empty password, which the file reader turns into the failure.
    EXPECT_EQ(DecodePassword(noise, kKey), QByteArray());
}

}  // namespace
}  // namespace telmora
