// The monitor and the commands together on the simulated service: dialing, the connection seen
// by the next poll, hanging up.

#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include "QStringPrint.h"
#include "ScriptedMessages.h"
#include "SimControl.h"
#include "SimDialUp.h"
#include "SimHostInfo.h"
#include "SimInternet.h"
#include "uConnectionCommands.h"
#include "uRasMonitor.h"

namespace telmora::test {
namespace {

TEST(SimulatedConnection, DialPollHangUp) {
    QTemporaryDir dir;
    {
        QFile file(dir.path() + QStringLiteral("/telmora.sim"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(
            "[dialup]\nentry=Provider\ndevicename=COM1\nclientip=10.0.0.2\n"
            "serverip=10.0.0.1\n[host]\nname=postazione\nip=192.168.0.3\n");
    }
    SimControl control(dir.path());
    SimLog log(dir.path());
    SimDialUp dialUp(control);
    SimInternet internet(control, log);
    SimHostInfo host(control);
    ScriptedMessages messages;
    ConnectionCommands commands(internet, messages);
    ResetRasApiLoad();
    TRasMonitor monitor(dialUp, host);
    EXPECT_EQ(monitor.LocalHost(), QStringLiteral("postazione"));
    EXPECT_EQ(monitor.LocalIP(), QStringLiteral("192.168.0.3"));

    QStringList events;
    monitor.OnRasConnected = [&](TRasMonitor&, TRasConnectionDetails d) {
        events << QStringLiteral("connected %1 %2 %3 %4")
                      .arg(d.entryName(), d.deviceType(), d.deviceName(), d.ipAddress());
    };
    monitor.OnRasDisconnected = [&](TRasMonitor&, TRasConnectionDetails) {
        events << QStringLiteral("disconnected");
    };

    monitor.PollConnections();
    commands.DialConnection();
    monitor.PollConnections();
    commands.DialConnection();  // already connected: nothing
    commands.HangUpConnection();
    monitor.PollConnections();
    control.set(QStringLiteral("autodial"), QStringLiteral("result"), QStringLiteral("0"));
    commands.DialConnection();
    monitor.PollConnections();

    EXPECT_EQ(events, QStringList({QStringLiteral("connected Provider modem COM1 10.0.0.2"),
                                   QStringLiteral("disconnected")}));
    EXPECT_FALSE(monitor.Online());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Impossibile stabilire una connessione"));
    QFile simlog(dir.path() + QStringLiteral("/telmora.simlog"));
    ASSERT_TRUE(simlog.open(QIODevice::ReadOnly));
    EXPECT_EQ(simlog.readAll(), "dial ok\nhangup\ndial fail\n");
}

}  // namespace
}  // namespace telmora::test
