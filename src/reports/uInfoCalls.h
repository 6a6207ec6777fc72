#pragma once
// The call details: the calls of a day, month or year in a grid that sorts by a click on a
// title, and beside it the pages captured during the current call; a double click on a page
// opens it.
//
// The calls are read when the window is made. When that fails the error is reported and
// loaded() is false: the window is then not to be shown.

#include <QDialog>

#include "uPeriodTotals.h"

class QTableView;

namespace telmora {

class IMessages;
class IShellOpen;
class ReportError;
class TCallsModel;
class TPageList;

class TformInfoCalls : public QDialog {
    Q_OBJECT
public:
    // period: the day text, month key or year of the report whose calls label carries tag.
    TformInfoCalls(TDataModule1& module, IMessages& messages, IShellOpen& shell,
                   ReportError& report, CallsTag tag, const QString& period,
                   QWidget* parent = nullptr);

    bool loaded() const { return loaded_; }

    QTableView* dbgridcalls = nullptr;
    TPageList* ListUrl = nullptr;
    TCallsModel* calls() const { return model_; }

protected:
    void done(int result) override;  // FormClose: the close box and Esc end here

private:
    void dbgridcallsTitleClick(int column);
    void showPagesOfCurrentCall();  // the data-change event of the grid's rows
    void ListUrlDblClick(const QString& line);

    TDataModule1& data_;
    IMessages& messages_;
    IShellOpen& shell_;
    ReportError& report_;
    TCallsModel* model_ = nullptr;
    bool loaded_ = false;
};

}  // namespace telmora
