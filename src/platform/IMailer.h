#pragma once
// The mail composer: a message handed to the user's mail program, which shows it in its own
// window for the user to send. Nothing happens where there is no mail program.

#include <QString>
#include <QStringList>

namespace telmora {

struct MailMessage {
    QString toAddress;
    QString toName;
    QString subject;
    QString body;
    QStringList attachments;  // full paths
};

class IMailer {
public:
    virtual ~IMailer() = default;
    // Hands the message over and returns; the outcome is not reported.
    virtual void compose(const MailMessage& message) = 0;
};

}  // namespace telmora
