#include "LinuxShellOpen.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <thread>

extern char** environ;

namespace telmora {

QString LinuxShellOpen::target(const QString& text) {
    if (text.startsWith(QLatin1Char('"'))) {
        const qsizetype close = text.indexOf(QLatin1Char('"'), 1);
        return close < 0 ? text.mid(1) : text.mid(1, close - 1);
    }
    return text.trimmed();
}

// xdg-open's own exit statuses, told as the numbers the program reports.
std::optional<int> LinuxShellOpen::failureOfExit(int status) {
    switch (status) {
        case 0:
            return std::nullopt;
        case 1:  // syntax error: nothing, or something that is no file or address
            return 11;
        case 2:  // the file does not exist
            return 2;
        case 3:  // no tool that opens this kind of address
            return 31;
        case 4:  // the handler was started and failed
            return kHandlerFailed;
        default:
            return kHandlerFailed;
    }
}

std::optional<int> LinuxShellOpen::open(const QString& text) {
    const QByteArray program = program_.toLocal8Bit();
    const QByteArray argument = target(text).toLocal8Bit();
    char* argv[] = {const_cast<char*>(program.constData()), const_cast<char*>(argument.constData()),
                    nullptr};
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, program.constData(), nullptr, nullptr, argv, environ);
    if (rc == ENOENT) return kMissingProgram;
    if (rc != 0) return kCannotStart;

    const auto deadline = std::chrono::steady_clock::now() + patience_;
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) break;
        if (done < 0 && errno != EINTR) return kHandlerFailed;
        if (std::chrono::steady_clock::now() >= deadline) {
            // Still running: it has the page. Reaped when it ends, so no zombie stays behind.
            std::thread([pid] {
                int ignored = 0;
                while (waitpid(pid, &ignored, 0) < 0 && errno == EINTR) {
                }
            }).detach();
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (WIFEXITED(status)) return failureOfExit(WEXITSTATUS(status));
    return kHandlerFailed;
}

}  // namespace telmora
