// Page capture: one stored capture at the row cap (insert, count, trim), one Firefox answer
// from a 1 MB session file, one Chromium answer from a local endpoint.

#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <lz4.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <thread>

#include "HistoryDb.h"
#include "LinuxBrowserChromium.h"
#include "LinuxBrowserFirefox.h"
#include "uDataModule.h"
#include "uUrlHistory.h"

namespace {

using namespace telmora;

void BM_CaptureAtCap(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("telmora.mdb"));
    bench::HistorySpec spec;
    spec.years = 1;
    spec.pcRows = 10;
    spec.etimeRows = 10;
    spec.urlRows = UrlHistoryLimit;
    bench::createHistoryDatabase(path, spec);
    TDataModule1 data(path);
    DateTime when = encodeDate(2030, 1, 1);
    int i = 0;
    for (auto _ : state) {
        bool inserted = false;
        StoreCapturedUrl(data.adoqueryurl,
                         QStringLiteral("\"http://example.org/%1\",\"P\"").arg(++i),
                         when += 1.0 / 86400, UrlHistoryLimit, inserted);
    }
}
BENCHMARK(BM_CaptureAtCap)->Unit(benchmark::kMillisecond);

void BM_FirefoxAnswer1MB(benchmark::State& state) {
    QTemporaryDir dir;
    // Many tabs with long histories, the selected one last, about 1 MB of JSON.
    QByteArray tabs;
    int n = 0;
    while (tabs.size() < 1024 * 1024) {
        if (n) tabs += ',';
        tabs += "{\"index\":1,\"entries\":[{\"url\":\"http://example.org/tab/" +
                QByteArray::number(n) + "\",\"title\":\"Scheda " + QByteArray::number(n) +
                "\",\"cacheKey\":0,\"ID\":" + QByteArray::number(n) +
                ",\"docshellUUID\":\"{0f1e2d3c-4b5a-6978-8796-a5b4c3d2e1f0}\"," +
                "\"referrerInfo\":\"" + QByteArray(300, 'r') + "\"}]}";
        ++n;
    }
    const QByteArray json =
        "{\"selectedWindow\":1,\"windows\":[{\"selected\":" + QByteArray::number(n) +
        ",\"tabs\":[" + tabs + "]}]}";
    QByteArray file("mozLz40\0", 8);
    for (int i = 0; i < 4; ++i) file.append(static_cast<char>((json.size() >> (8 * i)) & 0xff));
    QByteArray block(LZ4_compressBound(static_cast<int>(json.size())), Qt::Uninitialized);
    file.append(block.constData(),
                LZ4_compress_default(json.constData(), block.data(), static_cast<int>(json.size()),
                                     static_cast<int>(block.size())));
    const QString root = dir.filePath(QStringLiteral("ff"));
    QDir().mkpath(root + QStringLiteral("/p/sessionstore-backups"));
    QFile ini(root + QStringLiteral("/profiles.ini"));
    ini.open(QIODevice::WriteOnly);
    ini.write("[Profile0]\nIsRelative=1\nPath=p\nDefault=1\n");
    ini.close();
    QFile f(root + QStringLiteral("/p/sessionstore-backups/recovery.jsonlz4"));
    f.open(QIODevice::WriteOnly);
    f.write(file);
    f.close();
    for (auto _ : state) {
        const QString answer = firefoxAnswer({root});
        if (answer.isEmpty()) state.SkipWithError("no answer");
        benchmark::DoNotOptimize(answer);
    }
    state.counters["json_bytes"] = static_cast<double>(json.size());
}
BENCHMARK(BM_FirefoxAnswer1MB)->Unit(benchmark::kMillisecond);

void BM_ChromiumAnswer(benchmark::State& state) {
    const QByteArray body =
        R"([{"description":"","id":"A1","title":"Esempio","type":"page","url":"http://127.0.0.1:8000/",)"
        R"("webSocketDebuggerUrl":"ws://127.0.0.1:9222/devtools/page/A1"}])";
    const QByteArray reply =
        "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: " +
        QByteArray::number(body.size()) + "\r\n\r\n" + body;
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::listen(fd, 16);
    socklen_t len = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    const quint16 port = ntohs(a.sin_port);
    std::thread server([&] {
        for (;;) {
            const int c = ::accept(fd, nullptr, nullptr);
            if (c < 0) return;
            char buffer[2048];
            std::string request;
            while (request.find("\r\n\r\n") == std::string::npos) {
                const ssize_t n = ::recv(c, buffer, sizeof buffer, 0);
                if (n <= 0) break;
                request.append(buffer, static_cast<size_t>(n));
            }
            ::send(c, reply.constData(), static_cast<size_t>(reply.size()), MSG_NOSIGNAL);
            ::close(c);
        }
    });
    for (auto _ : state) {
        const QString answer = chromiumAnswer(port, 2000);
        if (answer.isEmpty()) state.SkipWithError("no answer");
        benchmark::DoNotOptimize(answer);
    }
    ::shutdown(fd, SHUT_RDWR);
    server.join();
    ::close(fd);
}
BENCHMARK(BM_ChromiumAnswer)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
