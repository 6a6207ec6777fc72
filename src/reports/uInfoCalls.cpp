#include "uInfoCalls.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableView>

#include "uCallList.h"
#include "uPages.h"
#include "uPagesList.h"
#include "uPagesStore.h"
#include "uReportError.h"

namespace telmora {

TformInfoCalls::TformInfoCalls(TDataModule1& module, IMessages& messages, IShellOpen& shell,
                               ReportError& report, CallsTag tag, const QString& period,
                               QWidget* parent)
    : QDialog(parent), data_(module), messages_(messages), shell_(shell), report_(report) {
    setObjectName(QStringLiteral("formInfoCalls"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    setModal(true);
    setMinimumSize(858, 250);

    model_ = new TCallsModel(this);
    dbgridcalls = new QTableView(this);
    dbgridcalls->setObjectName(QStringLiteral("dbgridcalls"));
    dbgridcalls->setModel(model_);
    // Read only, whole rows, grid lines and a title row; columns neither resized nor moved.
    dbgridcalls->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dbgridcalls->setSelectionBehavior(QAbstractItemView::SelectRows);
    dbgridcalls->setSelectionMode(QAbstractItemView::SingleSelection);
    dbgridcalls->setTabKeyNavigation(false);
    dbgridcalls->setShowGrid(true);
    dbgridcalls->setWordWrap(false);
    dbgridcalls->verticalHeader()->hide();
    dbgridcalls->verticalHeader()->setDefaultSectionSize(dbgridcalls->fontMetrics().height() + 6);
    QHeaderView* titles = dbgridcalls->horizontalHeader();
    titles->setSectionsMovable(false);
    titles->setSectionResizeMode(QHeaderView::ResizeToContents);
    titles->setStretchLastSection(true);
    titles->setSectionsClickable(true);
    titles->setHighlightSections(false);
    connect(titles, &QHeaderView::sectionClicked, this, &TformInfoCalls::dbgridcallsTitleClick);

    ListUrl = new TPageList(this);
    ListUrl->setObjectName(QStringLiteral("ListUrl"));
    connect(ListUrl, &TPageList::lineOpenRequested, this, &TformInfoCalls::ListUrlDblClick);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(dbgridcalls, 1);
    layout->addWidget(ListUrl, 1);

    try {
        const std::optional<CallListing> listing = loadCalls(data_, tag, period);
        if (!listing) return;
        setWindowTitle(listing->caption);
        model_->setCalls(listing->calls);
    } catch (const Error& e) {
        report_(e);
        return;
    }
    connect(dbgridcalls->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TformInfoCalls::showPagesOfCurrentCall);
    // The first call is current, and its pages are listed, as soon as the window has its rows.
    if (model_->rowCount() > 0) {
        dbgridcalls->setCurrentIndex(model_->index(0, 0));
    }
    loaded_ = true;
}

void TformInfoCalls::showPagesOfCurrentCall() {
    ListUrl->clear();
    const QModelIndex current = dbgridcalls->currentIndex();
    if (!current.isValid()) return;
    const CallRecord& call = model_->call(current.row());
    try {
        ListUrl->addItems(callPages(data_, call.start, call.stop));
    } catch (const Error& e) {
        report_(e);
    }
    FitListScrollWidth(*ListUrl);
}

void TformInfoCalls::dbgridcallsTitleClick(int column) {
    model_->sortByTitle(column);
    if (dbgridcalls->currentIndex().isValid()) dbgridcalls->scrollTo(dbgridcalls->currentIndex());
    showPagesOfCurrentCall();
}

void TformInfoCalls::ListUrlDblClick(const QString& line) {
    OpenPage(shell_, messages_, PageTextOfLine(line));
}

void TformInfoCalls::done(int result) {
    ListUrl->clear();
    QDialog::done(result);
}

}  // namespace telmora
