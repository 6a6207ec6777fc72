#pragma once
// Chromium's page, from its debugging endpoint GET http://127.0.0.1:PORT/json/list, which it
// serves only when started with --remote-debugging-port=PORT. The answer is untrusted: one
// that is too large, damaged or late is no answer.

#include <QByteArray>
#include <QString>
#include <optional>

namespace telmora {

inline constexpr quint16 kChromiumDebugPort = 9222;
inline constexpr qint64 kMaxEndpointBytes = 4 * 1024 * 1024;

// The body of a GET of path on 127.0.0.1:port, or nothing: no server, a status other than 200,
// more than maxBytes, or not complete within timeoutMs (connecting, sending and reading).
std::optional<QByteArray> localHttpGet(quint16 port, const QByteArray& path, int timeoutMs,
                                       qint64 maxBytes = kMaxEndpointBytes);

// "URL","TITLE" of the first entry of type "page" (the most recently active tab comes first);
// empty when there is none or the JSON is not such a list.
QString chromiumAnswerFromList(const QByteArray& json);

// The whole request.
QString chromiumAnswer(quint16 port, int timeoutMs);

}  // namespace telmora
