// Firefox: the profile in use, its session file, and the page it names.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "LinuxBrowserFirefox.h"
#include "WebTestSupport.h"

namespace telmora {
namespace {

using test::mozLz4;
using test::sessionJson;
using test::writeFile;

class Profiles : public ::testing::Test {
protected:
    QString root(int i) const { return dir.filePath(QStringLiteral("root%1").arg(i)); }
    QStringList roots() const { return {root(0), root(1)}; }
    void ini(int i, const QString& name, const QString& text) {
        writeFile(root(i) + QLatin1Char('/') + name, text.toUtf8());
    }
    void lock(const QString& profile, long pid) {
        QDir().mkpath(profile);
        ASSERT_EQ(::symlink(QStringLiteral("127.0.1.1:+%1").arg(pid).toUtf8().constData(),
                            (profile + QStringLiteral("/lock")).toUtf8().constData()),
                  0);
    }
    QString found() {
        const auto p = findFirefoxProfile(roots());
        return p ? p->path : QStringLiteral("(none)");
    }
    QTemporaryDir dir;
    const long deadPid = 4194305;  // above the largest pid Linux gives
};

TEST_F(Profiles, InstallDefaultComesFirst) {
    ini(0, QStringLiteral("profiles.ini"),
        QStringLiteral("[Profile1]\nName=old\nIsRelative=1\nPath=old.default\nDefault=1\n\n"
                       "[Profile0]\nName=new\nIsRelative=1\nPath=new.default-esr\n\n"
                       "[InstallABCD]\nDefault=new.default-esr\nLocked=1\n"));
    EXPECT_EQ(found(), root(0) + QStringLiteral("/new.default-esr"));
}

TEST_F(Profiles, InstallsIniInTheSecondRoot) {
    ini(1, QStringLiteral("profiles.ini"),
        QStringLiteral(
            "[Profile0]\nIsRelative=1\nPath=a\nDefault=1\n[Profile1]\nIsRelative=1\nPath=b\n"));
    ini(1, QStringLiteral("installs.ini"), QStringLiteral("[46F492E0ACFF84D4]\nDefault=b\n"));
    EXPECT_EQ(found(), root(1) + QStringLiteral("/b"));
}

TEST_F(Profiles, DefaultOneAsFallbackAndAbsolutePaths) {
    const QString elsewhere = dir.filePath(QStringLiteral("elsewhere/prof"));
    ini(0, QStringLiteral("profiles.ini"),
        QStringLiteral("[General]\nStartWithLastProfile=1\n[Profile0]\nIsRelative=1\nPath=x\n"
                       "[Profile1]\nIsRelative=0\nPath=%1\nDefault=1\n")
            .arg(elsewhere));
    EXPECT_EQ(found(), elsewhere);
}

TEST_F(Profiles, LiveLockWinsAndStaleLockIsReported) {
    ini(0, QStringLiteral("profiles.ini"),
        QStringLiteral(
            "[Profile0]\nIsRelative=1\nPath=a\nDefault=1\n[Profile1]\nIsRelative=1\nPath=b\n"));
    lock(root(0) + QStringLiteral("/a"), deadPid);
    auto p = findFirefoxProfile(roots());
    ASSERT_TRUE(p);
    EXPECT_EQ(p->path, root(0) + QStringLiteral("/a"));
    EXPECT_EQ(p->lock, ProfileLock::Stale);

    lock(root(0) + QStringLiteral("/b"), ::getpid());
    p = findFirefoxProfile(roots());
    ASSERT_TRUE(p);
    EXPECT_EQ(p->path, root(0) + QStringLiteral("/b"));
    EXPECT_EQ(p->lock, ProfileLock::Live);
}

TEST_F(Profiles, NoProfileAnywhere) {
    EXPECT_FALSE(findFirefoxProfile(roots()));
    ini(0, QStringLiteral("profiles.ini"), QStringLiteral("garbage\n\xff\xfe[[\n=\n"));
    EXPECT_FALSE(findFirefoxProfile(roots()));
}

TEST_F(Profiles, WholeRequestFromTheSessionFile) {
    ini(0, QStringLiteral("profiles.ini"),
        QStringLiteral("[Profile0]\nIsRelative=1\nPath=p\nDefault=1\n"));
    const QString file = root(0) + QStringLiteral("/p/sessionstore-backups/recovery.jsonlz4");
    EXPECT_EQ(firefoxAnswer(roots()), QString());  // no session file yet
    writeFile(file, mozLz4(sessionJson(QStringLiteral("http://127.0.0.1/x"), QStringLiteral("X"))));
    EXPECT_EQ(firefoxAnswer(roots()), QStringLiteral("\"http://127.0.0.1/x\",\"X\""));
    lock(root(0) + QStringLiteral("/p"), deadPid);  // Firefox gone: what it left is no answer
    EXPECT_EQ(firefoxAnswer(roots()), QString());
}

TEST(FirefoxSession, PageOfTheSelectedWindowAndTab) {
    const QByteArray two = R"({"selectedWindow":2,"windows":[
        {"selected":1,"tabs":[{"index":1,"entries":[{"url":"http://w1/","title":"W1"}]}]},
        {"selected":2,"tabs":[{"index":1,"entries":[{"url":"http://t1/"}]},
                              {"index":1,"entries":[{"url":"http://t2/","title":"Il \"due\""},
                                                    {"url":"http://t2b/"}]}]}]})";
    struct Case {
        QByteArray json;
        QString answer;
    } cases[] = {
        {sessionJson(QStringLiteral("http://a/"), QStringLiteral("A")),
         QStringLiteral("\"http://a/\",\"A\"")},
        {two, QStringLiteral("\"http://t2/\",\"Il \"\"due\"\"\"")},
        {R"({"selectedWindow":1,"windows":[{"selected":1,"tabs":[{"entries":[{"url":"http://a/"},{"url":"http://last/"}]}]}]})",
         QStringLiteral("\"http://last/\",\"\"")},  // no index: the last entry
        {R"({"selectedWindow":0,"windows":[]})", QString()},
        {R"({"selectedWindow":1,"windows":[]})", QString()},
        {R"({"selectedWindow":1,"windows":[{"selected":0,"tabs":[{"index":1,"entries":[{"url":"http://a/"}]}]}]})",
         QString()},
        {R"({"selectedWindow":1,"windows":[{"selected":1,"tabs":[{"index":9,"entries":[{"url":"http://a/"}]}]}]})",
         QString()},
        {R"({"selectedWindow":"x","windows":{}})", QString()},
        {R"([1,2,3])", QString()},
        {"{\"selectedWindow\":1,\"windows\":[{\"selected\":1,\"tabs\":[{\"index\":1,\"entries\":[{"
         "\"url\":\"http://\xff\xfe/\"}]}]}]}",
         QString()},
        {QByteArray(200000, '[') + QByteArray(200000, ']'), QString()},
        {R"({"selectedWindow":1,"windows":[{"selected":1,"tabs":[{"index":1,"ent)", QString()},
        {QByteArray(), QString()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(firefoxAnswerFromSession(c.json), c.answer) << c.json.left(80).toStdString();
    }
}

TEST(FirefoxSession, DecoderRefusesDamagedFiles) {
    const QByteArray json = sessionJson(QStringLiteral("http://a/"), QStringLiteral("A"));
    const QByteArray good = mozLz4(json);
    ASSERT_EQ(decodeMozLz4(good), json);
    auto withSize = [&](quint32 size) {
        QByteArray f = good;
        for (int i = 0; i < 4; ++i) f[8 + i] = static_cast<char>((size >> (8 * i)) & 0xff);
        return f;
    };
    const QByteArray damaged[] = {
        QByteArray(),
        good.left(11),                                    // header cut short
        QByteArray("mozLz41\0", 8) + good.mid(8),         // wrong magic
        withSize(static_cast<quint32>(json.size()) + 1),  // size one more than the block
        withSize(static_cast<quint32>(json.size()) - 1),
        withSize(0xffffffffu),  // size field far larger than the data
        withSize(10 * 1024 * 1024),
        good.left(good.size() - 3),                         // block truncated
        mozLz4(QByteArray(kMaxSessionJsonBytes + 1, ' ')),  // a JSON too large to unpack
    };
    for (const QByteArray& f : damaged) EXPECT_FALSE(decodeMozLz4(f)) << f.size();
}

TEST(FirefoxSession, OversizedFileIsNotRead) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("recovery.jsonlz4"));
    QByteArray big = mozLz4(sessionJson(QStringLiteral("http://a/"), QStringLiteral("A")));
    big.append(QByteArray(kMaxSessionFileBytes, 'x'));
    writeFile(path, big);
    EXPECT_FALSE(readMozLz4File(path));
    EXPECT_FALSE(readMozLz4File(dir.filePath(QStringLiteral("missing"))));
}

// Mutated session files: whatever the damage, decoding and reading end without a fault (the
// sanitisers watch every access) and an answer, when there is one, is a well-formed one.
TEST(FirefoxSession, MutatedFilesNeverFault) {
    QByteArray json =
        sessionJson(QStringLiteral("http://a.example/page"), QStringLiteral("Pagina"));
    const QByteArray good = mozLz4(json);
    QRandomGenerator rng(20261211);
    for (int round = 0; round < 3000; ++round) {
        QByteArray f = good;
        const int edits = 1 + static_cast<int>(rng.bounded(4));
        for (int e = 0; e < edits; ++e) {
            const int at = static_cast<int>(rng.bounded(static_cast<quint32>(f.size())));
            switch (rng.bounded(4)) {
                case 0:
                    f[at] = static_cast<char>(rng.bounded(256));
                    break;
                case 1:
                    f.truncate(at);
                    break;
                case 2:
                    f.insert(at, static_cast<char>(rng.bounded(256)));
                    break;
                default:
                    if (f.size() < 12) break;
                    f[8 + static_cast<int>(rng.bounded(4))] = static_cast<char>(rng.bounded(256));
                    break;
            }
            if (f.size() < 2) break;
        }
        const auto decoded = decodeMozLz4(f);
        if (!decoded) continue;
        EXPECT_LE(decoded->size(), kMaxSessionJsonBytes);
        const QString answer = firefoxAnswerFromSession(*decoded);
        EXPECT_TRUE(answer.isEmpty() || answer.startsWith(QLatin1Char('"')))
            << answer.toStdString();
    }
}

}  // namespace
}  // namespace telmora
