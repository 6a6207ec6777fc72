#pragma once
// The desktop's mail composer through xdg-email (xdg-utils): the composer opens with the
// recipient, subject, body and attachments filled in. Without xdg-email nothing happens.

#include "IMailer.h"

namespace telmora {

class LinuxMailer final : public IMailer {
public:
    // program: the composer command, a name looked up in PATH or a full path.
    explicit LinuxMailer(QString program = QStringLiteral("xdg-email"))
        : program_(std::move(program)) {}

    void compose(const MailMessage& message) override;

    static QStringList arguments(const MailMessage& message);

private:
    QString program_;
};

}  // namespace telmora
