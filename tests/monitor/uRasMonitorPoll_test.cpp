// The poll as a state machine: one scripted dial-up answer per row, run in sequence on one
// monitor, checking the events raised, Online and the details record after each poll.

#include <gtest/gtest.h>

#include <QStringList>

#include "FakeDialUp.h"
#include "uRasMonitor.h"

namespace telmora::test {
namespace {

const RasConnEntry kProvider{7, "Provider", "modem", "ttyS0"};
const RasConnEntry kOffice{9, "Ufficio", "isdn", "ttyS1"};

// What the dial-up service answers to one poll.
struct Answer {
    int enumResult = 0;
    std::vector<RasConnEntry> connections;
    RasConnStatus status{8192, 0};
    bool statusFails = false;
    bool projectionFails = false;
};

Answer enumFails() {
    return {1, {kProvider}};
}
Answer none() {
    return {};
}
Answer first(RasConnEntry entry, std::uint32_t state, std::uint32_t error = 0) {
    return {0, {entry}, {state, error}};
}

struct PollCase {
    const char* what;
    Answer answer;
    // Expected after the poll: the events in order, Online, CurrentConnection, and the record
    // as handle|entry|status text|client address.
    const char* events;
    bool online;
    std::uint32_t currentConnection;
    const char* details;
};

QString describe(const TRasConnectionDetails& d) {
    return d == TRasConnectionDetails{}
               ? QStringLiteral("zero")
               : d.entryName() + ',' + d.ipAddress() + ',' + d.serverIpAddress();
}

QString fields(const TRasConnectionDetails& d) {
    return QStringLiteral("%1|%2|%3|%4")
        .arg(d.RasConn)
        .arg(d.entryName(), d.StatusText, d.ipAddress());
}

TEST(RasMonitorPoll, FollowsTheStateTable) {
    Answer withoutProjection = first(kProvider, 8192);
    withoutProjection.projectionFails = true;
    Answer statusFails = first(kProvider, 8192);
    statusFails.statusFails = true;
    const char* const goingOnline = "connected(Provider,10.0.0.2,10.0.0.1) status(Connected)";

    // clang-format off
    const std::vector<PollCase> cases = {
        {"offline, enumeration fails", enumFails(), "", false, 0, "0|||"},
        {"offline, no connection", none(), "", false, 0, "0|||"},
        {"dialing", first(kProvider, 2), "status(Connecting device)", false, 7,
         "7|Provider|Connecting device|"},
        {"dialing reports an error", first(kProvider, 5, 678), "status(ERRROR)", false, 7,
         "7|Provider|ERRROR|"},
        {"status query fails", statusFails, "status(Opening port)", false, 7,
         "7|Provider|Opening port|"},
        {"unknown state has no text", first(kProvider, 30000), "", false, 7, "7|Provider||"},
        {"disconnected state", first(kProvider, 8193), "status(Disconnected)", false, 7,
         "7|Provider|Disconnected|"},
        {"goes online", first(kProvider, 8192), goingOnline, true, 7,
         "7|Provider|Connected|10.0.0.2"},
        {"stays online, addresses cleared", first(kProvider, 8192), "", true, 7,
         "7|Provider|Connected|"},
        {"online whatever the state", first(kProvider, 3), "", true, 7,
         "7|Provider|Device connected|"},
        {"first entry changes", {0, {kOffice, kProvider}}, "", true, 9, "9|Ufficio|Connected|"},
        {"no connection left", none(), "disconnected(zero)", false, 9, "0|||"},
        {"online without projection", withoutProjection,
         "connected(Provider,,) status(Connected)", true, 7, "7|Provider|Connected|"},
        {"enumeration fails while online", enumFails(), "disconnected(zero)", false, 7, "0|||"},
        {"found again: a new session", first(kProvider, 8192), goingOnline, true, 7,
         "7|Provider|Connected|10.0.0.2"},
        {"more than eight connections", {0, std::vector<RasConnEntry>(9, kOffice)},
         "disconnected(zero)", false, 7, "0|||"},
        {"enumeration fails while offline", enumFails(), "", false, 7, "0|||"},
    };
    // clang-format on

    ResetRasApiLoad();
    FakeDialUp dialUp;
    FakeHost host;
    TRasMonitor monitor(dialUp, host);
    QStringList events;
    monitor.OnRasConnected = [&](TRasMonitor& sender, TRasConnectionDetails d) {
        EXPECT_EQ(&sender, &monitor);
        events << QStringLiteral("connected(%1)").arg(describe(d));
    };
    monitor.OnRasDisconnected = [&](TRasMonitor&, TRasConnectionDetails d) {
        events << QStringLiteral("disconnected(%1)").arg(describe(d));
    };
    monitor.OnRasStatusChanged = [&](TRasMonitor&, TRasConnectionDetails d, QString text) {
        EXPECT_EQ(d.StatusText, text);
        events << QStringLiteral("status(%1)").arg(text);
    };

    for (const PollCase& c : cases) {
        SCOPED_TRACE(c.what);
        dialUp.enumResult = c.answer.enumResult;
        dialUp.connections = c.answer.connections;
        dialUp.status = c.answer.status;
        dialUp.statusFails = c.answer.statusFails;
        dialUp.projection = c.answer.projectionFails
                                ? std::nullopt
                                : std::optional(RasPppIp{"10.0.0.2", "10.0.0.1"});
        events.clear();

        monitor.PollConnections();

        const TRasConnectionDetails& d = monitor.ConnectionDetails();
        EXPECT_EQ(events.join(' '), QString::fromLatin1(c.events));
        EXPECT_EQ(monitor.Online(), c.online);
        EXPECT_EQ(monitor.CurrentConnection(), c.currentConnection);
        EXPECT_EQ(fields(d), QString::fromLatin1(c.details));
        if (d.RasConn != 0) {
            const RasConnEntry& entry = c.answer.connections[0];
            EXPECT_EQ(d.deviceType(), QString::fromStdString(entry.deviceType));
            EXPECT_EQ(d.deviceName(), QString::fromStdString(entry.deviceName));
            EXPECT_EQ(d.serverIpAddress().isEmpty(), d.ipAddress().isEmpty());
        }
    }
}

TEST(RasMonitorPoll, CutsTextsToTheirFieldsWithoutSplittingACharacter) {
    ResetRasApiLoad();
    FakeDialUp dialUp;
    FakeHost host;
    dialUp.connections = {{1, std::string(300, 'e'), "modem-" + std::string(9, 'x') + "\xC3\xA8",
                           std::string(200, 'd')}};
    TRasMonitor monitor(dialUp, host);
    monitor.PollConnections();

    const TRasConnectionDetails& d = monitor.ConnectionDetails();
    EXPECT_EQ(d.entryName(), QString(256, 'e'));
    // 15 single bytes fit beside the two-byte character, which is dropped whole.
    EXPECT_EQ(d.deviceType(), QStringLiteral("modem-xxxxxxxxx"));
    EXPECT_EQ(d.deviceName(), QString(128, 'd'));
}

}  // namespace
}  // namespace telmora::test
