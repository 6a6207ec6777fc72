#include "uUrl.h"

#include <QVBoxLayout>

#include "uPages.h"
#include "uPagesList.h"
#include "uPagesStore.h"
#include "uPagesWaitCursor.h"
#include "uReportError.h"

namespace telmora {
namespace {

// Courier New where it is installed; most Linux desktops lack it, so a monospace face stands in.
QFont fixedPitchFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans Mono"),
                      QStringLiteral("Liberation Mono"), QStringLiteral("Monospace")});
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSize(10);
    return font;
}

}  // namespace

Tformurl::Tformurl(TDataModule1& module, IMessages& messages, IShellOpen& shell,
                   ReportError& report, const PagesRequest& request, QWidget* parent)
    : QDialog(parent), messages_(messages), shell_(shell), report_(report), data_(module) {
    setObjectName(QStringLiteral("formurl"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    setModal(true);
    setMinimumSize(800, 250);
    setFont(fixedPitchFont());

    listurl = new TPageList(this);
    listurl->setObjectName(QStringLiteral("listurl"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(listurl);
    connect(listurl, &TPageList::lineOpenRequested, this, &Tformurl::listurlDblClick);

    load(request);
}

void Tformurl::load(const PagesRequest& request) {
    try {
        PageListing listing;
        if (request.kind == PagesRequest::Kind::All) {
            WaitCursor wait;
            listing = allPages(data_);
        } else {
            listing = dayPages(data_, request.day);
        }
        setWindowTitle(listing.caption);
        listurl->addItems(listing.lines);
        loaded_ = true;
    } catch (const Error& e) {
        report_(e);
    }
}

void Tformurl::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FitListScrollWidth(*listurl);
}

void Tformurl::done(int result) {
    listurl->clear();
    QDialog::done(result);
}

void Tformurl::listurlDblClick(const QString& line) {
    OpenPage(shell_, messages_, PageTextOfLine(line));
}

}  // namespace telmora
