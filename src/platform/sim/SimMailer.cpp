#include "SimMailer.h"

namespace telmora {

void SimMailer::compose(const MailMessage& message) {
    log_.write(QStringLiteral("mail %1|%2|%3|%4")
                   .arg(message.toAddress, message.subject, message.body,
                        message.attachments.join(QLatin1Char(';'))));
}

}  // namespace telmora
