#pragma once
// The visited-pages window: the stored pages, all of them newest first or one day's oldest
// first, one line each; a double click opens the selected line's page.
//
// The list is read when the window is made. When that fails the error is reported and loaded()
// is false: the window is then not to be shown.

#include <QDialog>

#include "uDateTime.h"

namespace telmora {

class IMessages;
class IShellOpen;
class ReportError;
class TDataModule1;
class TPageList;

// Which pages the window lists.
struct PagesRequest {
    enum class Kind { All, Day };
    Kind kind = Kind::All;
    QString day;  // dd/mm/yyyy, for Kind::Day

    static PagesRequest all() { return {}; }
    static PagesRequest ofDay(const QString& dayText) { return {Kind::Day, dayText}; }
};

class Tformurl : public QDialog {
    Q_OBJECT
public:
    Tformurl(TDataModule1& module, IMessages& messages, IShellOpen& shell, ReportError& report,
             const PagesRequest& request, QWidget* parent = nullptr);

    bool loaded() const { return loaded_; }

    TPageList* listurl = nullptr;

protected:
    void showEvent(QShowEvent* event) override;  // FormShow
    void done(int result) override;              // FormClose: the close box and Esc end here

private:
    void listurlDblClick(const QString& line);
    void load(const PagesRequest& request);

    IMessages& messages_;
    IShellOpen& shell_;
    ReportError& report_;
    TDataModule1& data_;
    bool loaded_ = false;
};

}  // namespace telmora
