#pragma once
// The simulated mail composer: each message becomes one line of telmora.simlog,
// mail <to>|<subject>|<body>|<attachment>;<attachment>.

#include "IMailer.h"
#include "SimControl.h"

namespace telmora {

class SimMailer final : public IMailer {
public:
    explicit SimMailer(SimLog& log) : log_(log) {}

    void compose(const MailMessage& message) override;

private:
    SimLog& log_;
};

}  // namespace telmora
