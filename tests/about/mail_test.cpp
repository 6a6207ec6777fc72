// The mail to the maker, on the simulated platform (telmora.simlog) and through xdg-email.

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include "LinuxMailer.h"
#include "QtPrinters.h"
#include "SimControl.h"
#include "SimMailer.h"
#include "uMailToMaker.h"

namespace telmora {
namespace {

QString readText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void writeText(const QString& path, const QByteArray& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

class MailToMakerSim : public ::testing::Test {
protected:
    QTemporaryDir dir;
    SimLog log{dir.path()};
    SimMailer mailer{log};
    QString logPath = dir.filePath(QStringLiteral("telmora.log"));
    QString simlog() const { return readText(dir.filePath(QStringLiteral("telmora.simlog"))); }
};

TEST_F(MailToMakerSim, WithoutTheLogNoAttachmentAndAnEmptyBody) {
    MailToMaker(mailer, logPath);
    EXPECT_EQ(simlog(), QStringLiteral("mail team@telmora.example|Telmora v 2.4||\n"));
}

TEST_F(MailToMakerSim, WithTheLogItIsAttachedAndTheBodyAsksToSendIt) {
    writeText(logPath, "05/03/2004 10.00.00 Error:x\n");
    MailToMaker(mailer, logPath);
    EXPECT_EQ(simlog(),
              QStringLiteral("mail team@telmora.example|Telmora v 2.4|Inviare allegati|") +
                  logPath + QLatin1Char('\n'));
}

TEST_F(MailToMakerSim, ExtraFilesThatExistFollowTheLogUpToThree) {
    QStringList extras;
    for (const char* name : {"a.txt", "missing.txt", "b.txt", "c.txt"}) {
        extras << dir.filePath(QLatin1String(name));
    }
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) writeText(dir.filePath(name), "x");
    const MailMessage mail = makerMail(logPath, extras);  // no log file here
    EXPECT_EQ(mail.attachments, QStringList({extras[0], extras[2]}));
    EXPECT_EQ(mail.body, QStringLiteral("Inviare allegati"));
    EXPECT_EQ(mail.toName, QStringLiteral("Telmora Team"));
}

TEST(LinuxMailerArgs, SubjectBodyAttachmentsThenTheAddress) {
    MailMessage m{QStringLiteral("team@telmora.example"),
                  QStringLiteral("Telmora Team"),
                  QStringLiteral("Telmora v 2.4"),
                  QStringLiteral("Inviare allegati"),
                  {QStringLiteral("/p/telmora.log")}};
    EXPECT_EQ(LinuxMailer::arguments(m),
              QStringList({"--utf8", "--subject", "Telmora v 2.4", "--body", "Inviare allegati",
                           "--attach", "/p/telmora.log", "team@telmora.example"}));
    m.body.clear();
    m.attachments.clear();
    EXPECT_EQ(LinuxMailer::arguments(m),
              QStringList({"--utf8", "--subject", "Telmora v 2.4", "team@telmora.example"}));
}

TEST(LinuxMailerRun, HandsTheMessageToTheComposerOrDoesNothingWithoutOne) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("args"));
    const QString composer = dir.filePath(QStringLiteral("xdg-email"));
    writeText(composer, ("#!/bin/sh\nfor a; do printf '%s\\n' \"$a\"; done > '" + out +
                         ".part' && mv '" + out + ".part' '" + out + "'\n")
                            .toUtf8());
    QFile::setPermissions(composer, QFile::permissions(composer) | QFileDevice::ExeOwner);

    const MailMessage m{QStringLiteral("team@telmora.example"),
                        QString(),
                        QStringLiteral("Telmora v 2.4"),
                        QString(),
                        {}};
    LinuxMailer(dir.filePath(QStringLiteral("no-composer"))).compose(m);  // nothing, no throw
    LinuxMailer(composer).compose(m);
    QDeadlineTimer deadline(10000);
    while (!QFile::exists(out) && !deadline.hasExpired()) QThread::msleep(20);
    EXPECT_EQ(readText(out),
              QStringLiteral("--utf8\n--subject\nTelmora v 2.4\nteam@telmora.example\n"));
}

}  // namespace
}  // namespace telmora
