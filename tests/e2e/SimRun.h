#pragma once
// One run of the real simulated program in a folder of its own: its own copy of the program,
// database, control file, HOME and XDG_RUNTIME_DIR, and a fake clock through libfaketime.

#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <functional>

#include "DbReader.h"
#include "uIniFile.h"

namespace telmora::test {

class SimRun {
public:
    SimRun();
    ~SimRun();

    QString path(const QString& name) const { return dir_.filePath(name); }
    QString dbPath() const { return path(QStringLiteral("telmora.mdb")); }
    IniFile settings() const { return IniFile(path(QStringLiteral("telmora.ini"))); }
    IniFile control() const { return IniFile(path(QStringLiteral("telmora.sim"))); }
    QString readFile(const QString& name) const;
    QStringList simlog() const;

    enum class Clock { Running, Settable };
    // Starts a copy with the fake clock set to the given time ("2004-03-05 23:59:50"); empty
    // runs on the real clock. A Running clock goes on from there; a Settable one jumps to what
    // setFakeTime() last wrote and goes on from that. Each start is a new process.
    QProcess& start(const QString& fakeTime = {}, Clock clock = Clock::Running);
    void setFakeTime(const QString& time);
    // Waits until the condition holds, processing nothing else; false on timeout.
    static bool waitFor(const std::function<bool()>& condition,
                        std::chrono::milliseconds timeout = std::chrono::seconds(20));
    // Waits until the running copy has finished its start-up (anomalo written).
    bool waitStarted();
    void signal(int sig);
    // Waits for the process to end; its exit status, or -1 when it did not end.
    int waitExit(std::chrono::milliseconds timeout = std::chrono::seconds(20));

    Rows pcRows() const;
    Rows netRows() const;

private:
    QTemporaryDir dir_;
    std::unique_ptr<QProcess> process_;
};

}  // namespace telmora::test
