#include "uMailToMaker.h"

#include <QFileInfo>

#include "uMaker.h"

namespace telmora {
namespace {

void attachIfThere(QStringList& attachments, const QString& path) {
    if (path.isEmpty()) return;
    const QFileInfo file(path);
    if (file.isFile()) attachments << file.absoluteFilePath();
}

}  // namespace

MailMessage makerMail(const QString& logPath, const QStringList& extraFiles) {
    MailMessage mail;
    mail.toAddress = kMakerMail;
    mail.toName = kMakerName;
    mail.subject = kProductTitle + QLatin1Char(' ') + kVersionText;
    attachIfThere(mail.attachments, logPath);
    for (const QString& extra : extraFiles.mid(0, kMaxExtraAttachments)) {
        attachIfThere(mail.attachments, extra);
    }
    if (!mail.attachments.isEmpty()) mail.body = QStringLiteral("Inviare allegati");
    return mail;
}

void MailToMaker(IMailer& mailer, const QString& logPath, const QStringList& extraFiles) {
    mailer.compose(makerMail(logPath, extraFiles));
}

}  // namespace telmora
