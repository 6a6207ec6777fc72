// Dialing and hanging up depending on what the system reports.

#include "uConnectionCommands.h"

#include <gtest/gtest.h>

#include "IInternet.h"
#include "QStringPrint.h"
#include "ScriptedMessages.h"

namespace telmora::test {
namespace {

class FakeInternet final : public IInternet {
public:
    std::uint32_t flags = 0;
    bool dialSucceeds = true;
    int dials = 0;
    int hangups = 0;

    bool connectedState(std::uint32_t& out) override {
        out = flags;
        return flags != 0;
    }
    bool autodial() override {
        ++dials;
        return dialSucceeds;
    }
    void autodialHangup() override { ++hangups; }
};

struct CommandCase {
    const char* what;
    bool hangUp;  // otherwise dial
    std::uint32_t flags;
    bool dialSucceeds;
    int dials;
    int hangups;
    bool errorBox;
};

TEST(ConnectionCommands, DialAndHangUpOnlyWhenTheStateCallsForIt) {
    const std::vector<CommandCase> cases = {
        {"dial while connected by modem", false, kConnModem, true, 0, 0, false},
        {"dial while a LAN is up", false, kConnLan, true, 0, 0, false},
        {"dial behind a proxy", false, kConnLan | kConnProxy, true, 0, 0, false},
        {"dial while offline", false, 0, true, 1, 0, false},
        {"dial fails", false, 0, false, 1, 0, true},
        {"hang up while connected", true, kConnModem, true, 0, 1, false},
        {"hang up while offline", true, 0, true, 0, 0, false},
    };
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(c.what);
        FakeInternet internet;
        internet.flags = c.flags;
        internet.dialSucceeds = c.dialSucceeds;
        ScriptedMessages messages;
        ConnectionCommands commands(internet, messages);

        if (c.hangUp) {
            commands.HangUpConnection();
        } else {
            commands.DialConnection();
        }

        EXPECT_EQ(internet.dials, c.dials);
        EXPECT_EQ(internet.hangups, c.hangups);
        if (c.errorBox) {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].kind, QStringLiteral("error"));
            EXPECT_EQ(messages.shown[0].text,
                      QStringLiteral("Impossibile stabilire una connessione"));
        } else {
            EXPECT_TRUE(messages.shown.empty());
        }
    }
}

}  // namespace
}  // namespace telmora::test
