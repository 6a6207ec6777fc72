#pragma once
// "&Cancella cronologia pagine web": asks, deletes every stored page under the wait pointer.
// True when the history was deleted: the main window then empties its pages label. A failing
// statement is reported and the answer is false. The capture's last page is left as it is.

namespace telmora {

class IMessages;
class ReportError;
class TDataModule1;

bool ClearPageHistory(TDataModule1& data, IMessages& messages, ReportError& report);

}  // namespace telmora
