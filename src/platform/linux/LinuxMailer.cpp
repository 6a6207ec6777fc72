#include "LinuxMailer.h"

#include <QProcess>
#include <QStandardPaths>

namespace telmora {

QStringList LinuxMailer::arguments(const MailMessage& message) {
    QStringList args{QStringLiteral("--utf8"), QStringLiteral("--subject"), message.subject};
    if (!message.body.isEmpty()) args << QStringLiteral("--body") << message.body;
    for (const QString& file : message.attachments) args << QStringLiteral("--attach") << file;
    args << message.toAddress;
    return args;
}

void LinuxMailer::compose(const MailMessage& message) {
    const QString program = QStandardPaths::findExecutable(program_);
    if (program.isEmpty()) return;
    // Detached: some composers stay in the foreground until the user quits them, and the
    // program must not wait for that.
    QProcess::startDetached(program, arguments(message));
}

}  // namespace telmora
