#include "uPagesHistory.h"

#include "uPagesStore.h"
#include "uPagesWaitCursor.h"
#include "uReportError.h"

namespace telmora {

bool ClearPageHistory(TDataModule1& data, IMessages& messages, ReportError& report) {
    if (messages.confirm(kClearHistoryQuestion) == Answer::No) return false;
    try {
        WaitCursor wait;
        deleteAllPages(data);
        return true;
    } catch (const Error& e) {
        report(e);
        return false;
    }
}

}  // namespace telmora
