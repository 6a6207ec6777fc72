#include "SimRun.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QThread>
#include <csignal>
#include <cstdio>

namespace telmora::test {
namespace {

const QString kBin = QStringLiteral(TELMORA_BIN_DIR);
const char* const kFaketime = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1";

}  // namespace

SimRun::SimRun() {
    QDir(dir_.path()).mkpath(QStringLiteral("home"));
    QDir(dir_.path()).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(path(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::copy(kBin + QStringLiteral("/sim/telmora"), path(QStringLiteral("telmora")));
    QFile::setPermissions(path(QStringLiteral("telmora")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcess newdb;
    newdb.start(kBin + QStringLiteral("/telmora-newdb"), {dbPath()});
    newdb.waitForFinished();
    EXPECT_EQ(newdb.exitCode(), 0) << newdb.readAllStandardError().toStdString();
}

SimRun::~SimRun() {
    if (process_ && process_->state() != QProcess::NotRunning) {
        process_->kill();
        process_->waitForFinished();
    }
}

QString SimRun::readFile(const QString& name) const {
    QFile f(path(name));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

QStringList SimRun::simlog() const {
    return readFile(QStringLiteral("telmora.simlog")).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void SimRun::setFakeTime(const QString& time) {
    // Replaced in one step: the program reads the file at every clock call.
    const QString target = path(QStringLiteral("faketime.txt"));
    {
        QFile f(target + QStringLiteral(".new"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write((QLatin1Char('@') + time + QLatin1Char('\n')).toUtf8());
    }
    ASSERT_EQ(::rename(QFile::encodeName(target + QStringLiteral(".new")).constData(),
                       QFile::encodeName(target).constData()),
              0);
}

QProcess& SimRun::start(const QString& fakeTime, Clock clock) {
    if (process_ && process_->state() != QProcess::NotRunning) process_->waitForFinished();
    process_ = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), path(QStringLiteral("home")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("home/.config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), path(QStringLiteral("runtime")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("ASAN_OPTIONS"),
               QStringLiteral("detect_leaks=0:verify_asan_link_order=0"));
    if (!fakeTime.isEmpty()) {
        env.insert(QStringLiteral("LD_PRELOAD"), QString::fromLatin1(kFaketime));
        if (clock == Clock::Running) {
            env.insert(QStringLiteral("FAKETIME"), QLatin1Char('@') + fakeTime);
        } else {
            setFakeTime(fakeTime);
            env.insert(QStringLiteral("FAKETIME_TIMESTAMP_FILE"),
                       path(QStringLiteral("faketime.txt")));
            env.insert(QStringLiteral("FAKETIME_NO_CACHE"), QStringLiteral("1"));
        }
        // Timers run on the real monotonic clock; only the wall clock is moved.
        env.insert(QStringLiteral("FAKETIME_DONT_FAKE_MONOTONIC"), QStringLiteral("1"));
        env.insert(QStringLiteral("FAKETIME_DONT_RESET"), QStringLiteral("1"));
    }
    process_->setProcessEnvironment(env);
    process_->setWorkingDirectory(dir_.path());
    process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_->start(path(QStringLiteral("telmora")), {});
    EXPECT_TRUE(process_->waitForStarted());
    return *process_;
}

bool SimRun::waitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        QThread::msleep(50);
    }
    return true;
}

bool SimRun::waitStarted() {
    return waitFor([this] {
        return settings().readBool(QStringLiteral("arrestianomali"), QStringLiteral("anomalo"),
                                   false) &&
               settings().valueExists(QStringLiteral("opzioni"), QStringLiteral("primoavvio"));
    });
}

void SimRun::signal(int sig) {
    ::kill(static_cast<pid_t>(process_->processId()), sig);
}

int SimRun::waitExit(std::chrono::milliseconds timeout) {
    if (!process_->waitForFinished(static_cast<int>(timeout.count()))) return -1;
    return process_->exitStatus() == QProcess::NormalExit ? process_->exitCode() : -1;
}

Rows SimRun::pcRows() const {
    return readRows(dbPath(),
                    QStringLiteral("SELECT PCSTART, PCSTOP, TPC FROM PCTIME ORDER BY PCSTART"));
}

Rows SimRun::netRows() const {
    return readRows(dbPath(), QStringLiteral("SELECT TSTART, TSTOP, TCONNECTION, CONN_NAME FROM "
                                             "ETIME ORDER BY TSTART"));
}

}  // namespace telmora::test
