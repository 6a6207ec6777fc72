#pragma once
// The mail to the maker: the error log attached when there is one, with up to three more
// files, handed to the platform's mail composer.

#include <QStringList>

#include "IMailer.h"

namespace telmora {

inline constexpr int kMaxExtraAttachments = 3;

// The message: the attachments that exist (the log first), the body "Inviare allegati" when
// there is at least one, the subject "Telmora v 2.4", the maker as recipient.
MailMessage makerMail(const QString& logPath, const QStringList& extraFiles = {});

void MailToMaker(IMailer& mailer, const QString& logPath, const QStringList& extraFiles = {});

}  // namespace telmora
