#pragma once
// Helpers of the page-capture tests: session files made with liblz4's own compressor, and a
// one-shot HTTP server on 127.0.0.1 that answers with canned bytes.

#include <arpa/inet.h>
#include <lz4.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <chrono>
#include <string>
#include <thread>

namespace telmora::test {

// "mozLz40\0", the size, one LZ4 block.
inline QByteArray mozLz4(const QByteArray& json) {
    QByteArray out("mozLz40\0", 8);
    const quint32 size = static_cast<quint32>(json.size());
    for (int i = 0; i < 4; ++i) out.append(static_cast<char>((size >> (8 * i)) & 0xff));
    QByteArray block(LZ4_compressBound(static_cast<int>(json.size())), Qt::Uninitialized);
    const int n =
        LZ4_compress_default(json.constData(), block.data(), static_cast<int>(json.size()),
                             static_cast<int>(block.size()));
    out.append(block.constData(), n);
    return out;
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(path.section(QLatin1Char('/'), 0, -2));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

// A session of one window and one tab showing url.
inline QByteArray sessionJson(const QString& url, const QString& title) {
    return QStringLiteral(R"({"version":["sessionrestore",1],"selectedWindow":1,"windows":[)"
                          R"({"selected":1,"tabs":[{"index":2,"entries":[{"url":"about:blank"},)"
                          R"({"url":"%1","title":"%2"}]}]}],"session":{"lastUpdate":1}})")
        .arg(url, title)
        .toUtf8();
}

// Accepts one connection, reads the request, then sends reply (unless hang) and closes.
class OneShotServer {
public:
    explicit OneShotServer(QByteArray reply, bool hang = false)
        : reply_(std::move(reply)), hang_(hang) {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(fd_, 4);
        socklen_t len = sizeof a;
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len);
        port_ = ntohs(a.sin_port);
        thread_ = std::thread([this] { serve(); });
    }
    ~OneShotServer() {
        ::shutdown(fd_, SHUT_RDWR);
        thread_.join();
        ::close(fd_);
    }
    quint16 port() const { return port_; }
    const std::string& request() const { return request_; }  // read after the reply was taken

private:
    void serve() {
        const int c = ::accept(fd_, nullptr, nullptr);
        if (c < 0) return;
        char buffer[4096];
        while (request_.find("\r\n\r\n") == std::string::npos) {
            const ssize_t n = ::recv(c, buffer, sizeof buffer, 0);
            if (n <= 0) break;
            request_.append(buffer, static_cast<size_t>(n));
        }
        if (hang_) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        } else {
            // In small pieces, as a busy server may send them.
            for (qsizetype at = 0; at < reply_.size(); at += 7) {
                ::send(c, reply_.constData() + at,
                       static_cast<size_t>(qMin<qsizetype>(7, reply_.size() - at)), MSG_NOSIGNAL);
            }
        }
        ::close(c);
    }

    QByteArray reply_;
    bool hang_;
    int fd_ = -1;
    quint16 port_ = 0;
    std::string request_;
    std::thread thread_;
};

inline QByteArray httpReply(const QByteArray& body) {
    return "HTTP/1.1 200 OK\r\nContent-Type: application/json; charset=UTF-8\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

}  // namespace telmora::test
