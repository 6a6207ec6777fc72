#include "uThreadUrl.h"

#include <exception>

#include "IBrowser.h"
#include "IClock.h"
#include "uDataModule.h"
#include "uError.h"
#include "uPageCapture.h"
#include "uReportError.h"
#include "uUrlHistory.h"

namespace telmora {

namespace {
const QString kSource = QStringLiteral("TThreadUrl");
}  // namespace

TThreadUrl::TThreadUrl(CaptureServices services, PageCapture& owner, QString lastUrl, int maxRows)
    : FLastUrl(std::move(lastUrl)), FMaxRows(maxRows), services_(services), owner_(owner) {}

void TThreadUrl::onMainThread(const std::function<void()>& step) {
    if (abandoned_.load()) return;
    if (QThread::currentThread() == owner_.thread()) {
        step();
    } else {
        QMetaObject::invokeMethod(&owner_, step, Qt::BlockingQueuedConnection);
    }
}

void TThreadUrl::run() {
    bool inserted = false;
    try {
        IBrowser& browser = services_.browser;
        FUrl = browser.RequestBrowserWindowInfo(browser.DefaultBrowserName());
        if (IsStorableAnswer(FUrl, FLastUrl)) {
            QueryLease lease(services_.data.adoqueryurl);
            StoreCapturedUrl(lease.query(), FUrl, services_.clock.now(), FMaxRows, inserted);
        }
    } catch (const Error& e) {
        services_.report(e);
    } catch (const std::exception& e) {
        services_.report(kSource, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        services_.report(kSource,
                         QStringLiteral("Errore sconosciuto durante la cattura della pagina"));
    }
    // A row that is in is remembered even when a later statement failed: it is stored.
    if (inserted) {
        const QString url = FUrl;
        onMainThread([this, url] { owner_.RememberLastUrl(url); });
    }
    onMainThread([this] { owner_.RearmCapture(); });
}

}  // namespace telmora
