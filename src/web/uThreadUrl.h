#pragma once
// One page capture, on a thread of its own: asks the browser for its page (so the main thread
// never waits for a browser), stores a new answer in table URL through the data module's
// adoqueryurl, and hands its two main-thread steps, RememberLastUrl and RearmCapture, back to
// the PageCapture that started it. Started by PageCapture, one per capture; it frees itself.

#include <QString>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

namespace telmora {

class IBrowser;
class IClock;
class PageCapture;
class ReportError;
class TDataModule1;

// The services a capture uses, all of which outlive it.
struct CaptureServices {
    IBrowser& browser;
    TDataModule1& data;
    ReportError& report;
    const IClock& clock;
};

class TThreadUrl final : public QThread {
    Q_OBJECT
public:
    // Fills the three fields; FUrl gets the browser's answer when the thread starts.
    TThreadUrl(CaptureServices services, PageCapture& owner, QString lastUrl, int maxRows);

    QString FUrl;      // the answer to store
    QString FLastUrl;  // lastUrl when the capture began
    int FMaxRows;      // the row cap

    // The owner is going away without waiting for this capture: no step is handed back.
    void abandon() { abandoned_.store(true); }

protected:
    void run() override;  // Execute

private:
    void onMainThread(const std::function<void()>& step);

    CaptureServices services_;
    PageCapture& owner_;
    std::atomic<bool> abandoned_{false};
};

}  // namespace telmora
