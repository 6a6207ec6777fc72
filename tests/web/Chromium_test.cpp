// Chromium's debugging endpoint: the request, the reply's forms, and the answer from its list.

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "LinuxBrowserAnswer.h"
#include "LinuxBrowserChromium.h"
#include "WebTestSupport.h"

namespace telmora {
namespace {

using test::httpReply;
using test::OneShotServer;

const QByteArray kList = R"([
  {"id":"1","type":"browser_ui","url":"chrome://newtab-footer/","title":"ui"},
  {"id":"2","type":"page","url":"http://127.0.0.1:8000/a","title":"Pagina \"A\""},
  {"id":"3","type":"page","url":"http://127.0.0.1:8000/b","title":"B"}])";

TEST(ChromiumEndpoint, AnswerOfTheFirstPage) {
    OneShotServer server(httpReply(kList));
    EXPECT_EQ(chromiumAnswer(server.port(), 2000),
              QStringLiteral("\"http://127.0.0.1:8000/a\",\"Pagina \"\"A\"\"\""));
    EXPECT_EQ(server.request().rfind("GET /json/list HTTP/1.0\r\n", 0), 0u);
    EXPECT_NE(server.request().find("Host: 127.0.0.1:"), std::string::npos);
}

TEST(ChromiumEndpoint, ReplyForms) {
    const QByteArray body = "[1,2]";
    struct Case {
        const char* name;
        QByteArray reply;
        std::optional<QByteArray> body;
    } cases[] = {
        {"length", httpReply(body), body},
        {"chunked",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\n[1,\r\n2\r\n2]\r\n0\r\n\r\n",
         body},
        {"to the close", "HTTP/1.0 200 OK\r\n\r\n" + body, body},
        {"not found", "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n", std::nullopt},
        {"truncated", "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n[1,2", std::nullopt},
        {"damaged chunks", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n",
         std::nullopt},
        {"no header end", "HTTP/1.1 200 OK\r\nContent-Len", std::nullopt},
        {"not http", "SSH-2.0-OpenSSH\r\n\r\n", std::nullopt},
        {"too long", httpReply(QByteArray(5000, ' ')), std::nullopt},
        {"too long, no length", "HTTP/1.0 200 OK\r\n\r\n" + QByteArray(70000 + 5000, ' '),
         std::nullopt},
    };
    for (const Case& c : cases) {
        OneShotServer server(c.reply);
        EXPECT_EQ(localHttpGet(server.port(), "/json/list", 2000, 4000), c.body) << c.name;
    }
}

TEST(ChromiumEndpoint, SilentOrAbsentBrowserIsNoAnswerInTime) {
    OneShotServer silent(QByteArray(), /*hang=*/true);
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(chromiumAnswer(silent.port(), 300), QString());
    EXPECT_LT(t.elapsed(), 1200);

    quint16 closedPort = 0;
    {
        OneShotServer gone{QByteArray()};
        closedPort = gone.port();
        localHttpGet(closedPort, "/", 100);
    }
    EXPECT_EQ(chromiumAnswer(closedPort, 2000), QString());
}

TEST(ChromiumEndpoint, AnswerFromTheList) {
    struct Case {
        QByteArray json;
        QString answer;
    } cases[] = {
        {kList, QStringLiteral("\"http://127.0.0.1:8000/a\",\"Pagina \"\"A\"\"\"")},
        {R"([{"type":"service_worker","url":"http://x/"}])", QString()},
        {"[]", QString()},
        {R"({"type":"page","url":"http://x/"})", QString()},
        {R"([{"type":"page","url":""}])", QString()},
        {"[{\"type\":\"page\",\"url\":\"http://\xc3\x28/\"}]", QString()},
        {QByteArray(100000, '['), QString()},
        {"[{\"type\":\"page\",\"url\":\"http://x/\",\"ti", QString()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(chromiumAnswerFromList(c.json), c.answer) << c.json.left(60).toStdString();
    }
}

TEST(BrowserAnswer, FamilyAndQuoting) {
    EXPECT_EQ(browserFamily(QStringLiteral("firefox-esr")), BrowserFamily::Firefox);
    EXPECT_EQ(browserFamily(QStringLiteral("org.mozilla.firefox")), BrowserFamily::Firefox);
    EXPECT_EQ(browserFamily(QStringLiteral("chromium")), BrowserFamily::Chromium);
    EXPECT_EQ(browserFamily(QStringLiteral("google-chrome")), BrowserFamily::Chromium);
    EXPECT_EQ(browserFamily(QStringLiteral("epiphany")), BrowserFamily::Unknown);
    EXPECT_EQ(browserAnswer(QStringLiteral("http://a/"), QStringLiteral("x\"y")),
              QStringLiteral("\"http://a/\",\"x\"\"y\""));
    EXPECT_EQ(
        browserAnswer(QStringLiteral("http://a/"), QStringLiteral("ab") + QChar(u'\0') + "cd"),
        QStringLiteral("\"http://a/\",\"ab"));
    EXPECT_EQ(browserAnswer(QString(), QStringLiteral("t")), QString());
}

}  // namespace
}  // namespace telmora
