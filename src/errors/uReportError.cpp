#include "uReportError.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QThread>

#include "IClock.h"

namespace telmora {

ReportError::ReportError(QString logPath, const IClock& clock, IMessages& messages)
    : logPath_(std::move(logPath)), clock_(clock), messages_(messages) {}

QString ReportError::boxText(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.')) {
        return message + QLatin1Char('.');
    }
    return message;
}

void ReportError::appendLine(const QString& line) {
    const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
    std::lock_guard lock(logMutex_);
    // One write of the whole line on a descriptor opened for appending: even another process
    // writing the same log cannot cut into it.
    const QByteArray path = QFile::encodeName(logPath_);
    const int fd = ::open(path.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return;  // an unwritable log must not hide the error box
    [[maybe_unused]] const ssize_t n = ::write(fd, bytes.constData(), bytes.size());
    ::close(fd);
}

void ReportError::operator()(const QString& source, const QString& message) {
    appendLine(displayText(clock_.now()) + QLatin1Char(' ') + source + QLatin1Char(':') + message);
    showOnMainThread(boxText(message));
}

void ReportError::log(const Error& error) {
    appendLine(displayText(clock_.now()) + QLatin1Char(' ') + error.source() + QLatin1Char(':') +
               error.message());
}

void ReportError::showOnMainThread(const QString& text) {
    auto show = [this, text] {
        if (restoreCursor) restoreCursor();
        messages_.error(text);
    };
    if (QCoreApplication::instance() == nullptr ||
        QThread::currentThread() == QCoreApplication::instance()->thread()) {
        show();
    } else {
        QMetaObject::invokeMethod(this, show, Qt::QueuedConnection);
    }
}

}  // namespace telmora
