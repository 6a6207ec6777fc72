#pragma once
// Opens a page through xdg-open. A stored page is the browser's answer, the address in double
// quotes followed by further fields: the address alone is what xdg-open is given then.
//
// xdg-open may stay until the browser it started ends, so it is waited for only a short while:
// one that is still running then has taken the page, and is left to run (and reaped) on its own.

#include <chrono>

#include "IShellOpen.h"

namespace telmora {

class LinuxShellOpen final : public IShellOpen {
public:
    explicit LinuxShellOpen(QString program = QStringLiteral("xdg-open"),
                            std::chrono::milliseconds patience = std::chrono::milliseconds(2000))
        : program_(std::move(program)), patience_(patience) {}

    std::optional<int> open(const QString& text) override;

    // What xdg-open is handed for a text: the first quoted field when the text starts with a
    // quote, else the text without blanks around it.
    static QString target(const QString& text);
    // The failure number of an xdg-open that ended with this exit status (0 = success: none).
    static std::optional<int> failureOfExit(int status);

    // Failure numbers of the outcomes that are not an exit status.
    static constexpr int kMissingProgram = 32;  // xdg-open is not installed
    static constexpr int kCannotStart = 8;      // no process could be made (memory, limits)
    static constexpr int kHandlerFailed = 29;   // killed, or an exit status of its own

private:
    QString program_;
    std::chrono::milliseconds patience_;
};

}  // namespace telmora
