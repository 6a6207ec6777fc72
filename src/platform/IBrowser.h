#pragma once
// The default web browser: its name, and the page its most recently active window shows.

#include <QString>

namespace telmora {

// How long one request may take before it counts as no answer.
inline constexpr int kBrowserAnswerTimeoutMs = 10000;

class IBrowser {
public:
    virtual ~IBrowser() = default;
    // The default browser's name (for example "firefox-esr" or "chromium"), empty when none is
    // set up. Looked up afresh at every call.
    virtual QString DefaultBrowserName() = 0;
    // Asks the browser called service which page it shows: "URL","TITLE" (each field in double
    // quotes, a quote inside doubled), or empty when it does not answer within
    // kBrowserAnswerTimeoutMs. Safe from any thread; never touches the main thread.
    virtual QString RequestBrowserWindowInfo(const QString& service) = 0;
};

}  // namespace telmora
