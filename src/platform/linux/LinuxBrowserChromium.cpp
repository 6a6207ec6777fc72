#include "LinuxBrowserChromium.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cerrno>
#include <chrono>

#include "LinuxBrowserAnswer.h"

namespace telmora {
namespace {

using Clock = std::chrono::steady_clock;

struct Socket {
    int fd = -1;
    ~Socket() {
        if (fd >= 0) ::close(fd);
    }
};

// Waits for events on fd until the deadline; false when it passed or the wait failed.
bool waitFor(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return false;
        pollfd p{fd, events, 0};
        const int rc = ::poll(&p, 1, static_cast<int>(left));
        if (rc > 0) return true;
        if (rc == 0 || errno != EINTR) return false;
    }
}

// The body of a chunked reply; nothing when the chunks are damaged or incomplete.
std::optional<QByteArray> unchunk(const QByteArray& raw) {
    QByteArray body;
    qsizetype at = 0;
    for (;;) {
        const qsizetype eol = raw.indexOf("\r\n", at);
        if (eol < 0) return std::nullopt;
        QByteArray sizeText = raw.mid(at, eol - at);
        const qsizetype semi = sizeText.indexOf(';');
        if (semi >= 0) sizeText.truncate(semi);
        bool ok = false;
        const qint64 size = sizeText.trimmed().toLongLong(&ok, 16);
        if (!ok || size < 0 || size > raw.size()) return std::nullopt;
        if (size == 0) return body;
        at = eol + 2;
        if (at + size > raw.size()) return std::nullopt;
        body.append(raw.constData() + at, static_cast<qsizetype>(size));
        at += static_cast<qsizetype>(size) + 2;
    }
}

// A reply read piece by piece: its header is looked at once, then only the length grows.
class ReplyReader {
public:
    enum class State { Incomplete, Complete, Refused };

    explicit ReplyReader(qint64 maxBytes) : maxBytes_(maxBytes) {}

    State add(const char* data, qsizetype size) {
        raw_.append(data, size);
        // The header may add a few kilobytes to the largest body accepted.
        if (raw_.size() > maxBytes_ + 64 * 1024) return State::Refused;
        return check(false);
    }
    State end() { return check(true); }
    const QByteArray& body() const { return body_; }

private:
    State check(bool ended) {
        if (headerEnd_ < 0) {
            const qsizetype at = raw_.indexOf("\r\n\r\n");
            if (at < 0) return ended ? State::Refused : State::Incomplete;
            headerEnd_ = at + 4;
            if (!readHeader(raw_.left(at))) return State::Refused;
        }
        const qint64 have = raw_.size() - headerEnd_;
        if (chunked_) {
            if (!ended && !raw_.endsWith("0\r\n\r\n")) return State::Incomplete;
            const std::optional<QByteArray> plain = unchunk(raw_.mid(headerEnd_));
            if (!plain) return ended ? State::Refused : State::Incomplete;
            body_ = *plain;
        } else if (length_ >= 0) {
            if (have < length_) return ended ? State::Refused : State::Incomplete;
            body_ = raw_.mid(headerEnd_, static_cast<qsizetype>(length_));
        } else {
            if (!ended) return State::Incomplete;
            body_ = raw_.mid(headerEnd_);
        }
        return body_.size() > maxBytes_ ? State::Refused : State::Complete;
    }

    bool readHeader(const QByteArray& header) {
        const QList<QByteArray> lines = header.split('\n');
        const QList<QByteArray> status = lines.front().trimmed().split(' ');
        if (status.size() < 2 || !status[0].startsWith("HTTP/") || status[1] != "200") {
            return false;
        }
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines[i].trimmed();
            const qsizetype colon = line.indexOf(':');
            if (colon <= 0) continue;
            const QByteArray name = line.left(colon).trimmed().toLower();
            const QByteArray value = line.mid(colon + 1).trimmed();
            if (name == "content-length") {
                bool ok = false;
                length_ = value.toLongLong(&ok);
                if (!ok || length_ < 0 || length_ > maxBytes_) return false;
            } else if (name == "transfer-encoding" && value.toLower().contains("chunked")) {
                chunked_ = true;
            }
        }
        return true;
    }

    qint64 maxBytes_;
    QByteArray raw_;
    QByteArray body_;
    qsizetype headerEnd_ = -1;
    qint64 length_ = -1;
    bool chunked_ = false;
};

}  // namespace

std::optional<QByteArray> localHttpGet(quint16 port, const QByteArray& path, int timeoutMs,
                                       qint64 maxBytes) {
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    Socket s;
    s.fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (s.fd < 0) return std::nullopt;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(s.fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        if (errno != EINPROGRESS || !waitFor(s.fd, POLLOUT, deadline)) return std::nullopt;
        int error = 0;
        socklen_t size = sizeof error;
        if (::getsockopt(s.fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0) {
            return std::nullopt;
        }
    }
    // HTTP/1.0 asks the server to close the connection after its answer.
    const QByteArray request = "GET " + path +
                               " HTTP/1.0\r\nHost: 127.0.0.1:" + QByteArray::number(port) +
                               "\r\nConnection: close\r\n\r\n";
    qsizetype sent = 0;
    while (sent < request.size()) {
        const ssize_t n = ::send(s.fd, request.constData() + sent,
                                 static_cast<size_t>(request.size() - sent), MSG_NOSIGNAL);
        if (n > 0) {
            sent += n;
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            if (!waitFor(s.fd, POLLOUT, deadline)) return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    ReplyReader reply(maxBytes);
    char buffer[16384];
    for (;;) {
        const ssize_t n = ::recv(s.fd, buffer, sizeof buffer, 0);
        ReplyReader::State state = ReplyReader::State::Incomplete;
        if (n > 0) {
            state = reply.add(buffer, n);
        } else if (n == 0) {
            state = reply.end();
        } else if (errno != EAGAIN && errno != EINTR) {
            return std::nullopt;
        } else if (!waitFor(s.fd, POLLIN, deadline)) {
            return std::nullopt;
        }
        if (state == ReplyReader::State::Refused) return std::nullopt;
        if (state == ReplyReader::State::Complete) return reply.body();
        if (n == 0) return std::nullopt;
    }
}

QString chromiumAnswerFromList(const QByteArray& json) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !doc.isArray()) return {};
    for (const QJsonValue& item : doc.array()) {
        const QJsonObject target = item.toObject();
        // Besides tabs the list holds the browser's own parts (browser_ui, workers, ...).
        if (target.value(QLatin1String("type")).toString() != QLatin1String("page")) continue;
        return browserAnswer(target.value(QLatin1String("url")).toString(),
                             target.value(QLatin1String("title")).toString());
    }
    return {};
}

QString chromiumAnswer(quint16 port, int timeoutMs) {
    const std::optional<QByteArray> list = localHttpGet(port, "/json/list", timeoutMs);
    return list ? chromiumAnswerFromList(*list) : QString();
}

}  // namespace telmora
