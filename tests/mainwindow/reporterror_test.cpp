// The error handler called from a worker thread while the main thread reports too.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <thread>

#include "Fakes.h"
#include "ScriptedMessages.h"
#include "uReportError.h"

namespace telmora::test {
namespace {

TEST(ReportErrorTest, TwoThreadsAtOnceLoseAndMixNothing) {
    constexpr int kEach = 500;
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("telmora.log"));
    {
        QFile old(log);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("05/03/2004 09.00.00 TThreadUrl:earlier\n");
    }
    FakeClock clock;
    ScriptedMessages messages;
    ReportError report(log, clock, messages);
    // Long messages, so a write that is not whole would show.
    const QString padding(300, QLatin1Char('x'));
    auto burst = [&](const QString& source) {
        for (int i = 0; i < kEach; ++i) {
            report(source, QStringLiteral("riga %1 %2").arg(i).arg(padding));
        }
    };
    std::thread worker(burst, QStringLiteral("TThreadNotify"));
    burst(QStringLiteral("TMainForm"));
    worker.join();
    // The worker's boxes wait for the main thread's event loop.
    const QDeadlineTimer deadline(10000);
    while (messages.shown.size() < 2 * kEach && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(messages.shown.size(), size_t{2 * kEach});

    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2 * kEach + 2);  // the earlier line, and nothing after the last \n
    EXPECT_EQ(lines.first(), QStringLiteral("05/03/2004 09.00.00 TThreadUrl:earlier"));
    EXPECT_TRUE(lines.last().isEmpty());
    const QRegularExpression whole(
        QStringLiteral("^05/03/2004 10\\.00\\.00 (TMainForm|TThreadNotify)"
                       ":riga (\\d+) x{300}$"));
    QMap<QString, int> next;  // each thread's lines arrive in its own order
    for (qsizetype i = 1; i < lines.size() - 1; ++i) {
        const QRegularExpressionMatch m = whole.match(lines[i]);
        ASSERT_TRUE(m.hasMatch()) << "line " << i << ": " << lines[i].left(80).toStdString();
        EXPECT_EQ(m.captured(2).toInt(), next[m.captured(1)]++) << m.captured(1).toStdString();
    }
    EXPECT_EQ(next.value(QStringLiteral("TMainForm")), kEach);
    EXPECT_EQ(next.value(QStringLiteral("TThreadNotify")), kEach);
}

}  // namespace
}  // namespace telmora::test
