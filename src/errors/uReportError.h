#pragma once
// The application-wide error handler: every failure that escapes a handler, and every failure a
// worker thread catches, ends here. It appends one line to telmora.log, puts the normal mouse
// pointer back and shows the message in an error box titled "Telmora". Safe from any thread:
// log lines never mix, and the box is always shown by the main thread.

#include <QObject>
#include <QString>
#include <functional>
#include <mutex>

#include "IMessages.h"
#include "uError.h"

namespace telmora {

class IClock;

class ReportError : public QObject {
    Q_OBJECT
public:
    ReportError(QString logPath, const IClock& clock, IMessages& messages);

    void operator()(const QString& source, const QString& message);
    void operator()(const Error& error) { (*this)(error.source(), error.message()); }
    // The two halves, for callers that must not repeat one of them (a failure that recurs).
    void log(const Error& error);
    void show(const Error& error) { showOnMainThread(boxText(error.message())); }

    // Puts the normal pointer back (set by the windowed program).
    std::function<void()> restoreCursor;

    const QString& logPath() const { return logPath_; }

    // The box text: a full stop is added when the message ends in a character that comes after
    // it in character order (a letter or a digit, not "!" or ")").
    static QString boxText(const QString& message);

private:
    void appendLine(const QString& line);
    void showOnMainThread(const QString& text);

    QString logPath_;
    const IClock& clock_;
    IMessages& messages_;
    std::mutex logMutex_;
};

}  // namespace telmora
