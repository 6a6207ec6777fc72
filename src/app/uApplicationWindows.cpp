// The commands of the main menu that open the on-demand windows or run the tools, wired by the
// composition root: the only place that creates windows.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>

#include "uApplication.h"
#include "uAvvisi.h"
#include "uBackup.h"
#include "uChart.h"
#include "uInfo.h"
#include "uInfoCalls.h"
#include "uLimitWatch.h"
#include "uMailToMaker.h"
#include "uMain.h"
#include "uPages.h"
#include "uPagesHistory.h"
#include "uPasswordCommand.h"
#include "uSessionHosts.h"
#include "uStartupCompaction.h"
#include "uSystemInfo.h"
#include "uUrl.h"

namespace telmora {
namespace {

void onTrigger(QAction* item, QObject* context, std::function<void()> run) {
    item->setEnabled(true);
    QObject::connect(item, &QAction::triggered, context, [run = std::move(run)] { run(); });
}

}  // namespace

void Application::wireMenus() {
    TMainForm& f = *mainForm_;
    onTrigger(f.menuItem(QStringLiteral("Paginewebvisitate1")), this,
              [this] { showVisitedPages(); });
    onTrigger(f.menuItem(QStringLiteral("Chart1")), this, [this] { showChart(); });
    onTrigger(f.menuItem(QStringLiteral("Eseguibackup1")), this, [this] { runBackup(); });
    onTrigger(f.menuItem(QStringLiteral("Ripristina1")), this, [this] { runRestore(); });
    onTrigger(f.menuItem(QStringLiteral("mnueliminacrono")), this, [this] { clearPageHistory(); });
    onTrigger(f.menuItem(QStringLiteral("Avvisi1")), this, [this] { showLimits(); });
    onTrigger(f.menuItem(QStringLiteral("Help1")), this, [this] { showAbout(); });
    const struct {
        const char* item;
        PasswordAction action;
    } passwordItems[] = {{"InsPswMenuItem", PasswordAction::Activate},
                         {"CamPswMenuItem", PasswordAction::Change},
                         {"DisPswMenuItem", PasswordAction::Deactivate}};
    for (const auto& p : passwordItems) {
        const PasswordAction action = p.action;
        onTrigger(f.menuItem(QString::fromLatin1(p.item)), this,
                  [this, action] { PasswordCommand(action, session_->passwordFile(), messages_); });
    }
    if (QMenu* password = f.findChild<QMenu*>(QStringLiteral("Password1"))) {
        connect(password, &QMenu::aboutToShow, this, &Application::updatePasswordMenu);
    }
    updatePasswordMenu();
    f.tracciaweb->setEnabled(true);
    connect(f.tracciaweb, &QAction::triggered, this, &Application::tracciawebClick);
    connect(&f, &TMainForm::callsRequested, this, &Application::showCallDetails);
    connect(&f, &TMainForm::dayPagesRequested, this, &Application::showDayPages);
    connect(&f, &TMainForm::mailToMakerRequested, this, &Application::mailToMaker);
}

void Application::updatePasswordMenu() {
    const PasswordMenuState state = UpdatePasswordMenu(session_->passwordFile());
    mainForm_->menuItem(QStringLiteral("InsPswMenuItem"))->setEnabled(state.activate);
    mainForm_->menuItem(QStringLiteral("CamPswMenuItem"))->setEnabled(state.change);
    mainForm_->menuItem(QStringLiteral("DisPswMenuItem"))->setEnabled(state.deactivate);
}

// The menu's check mark is the switch; turning tracking on needs a browser to ask.
void Application::tracciawebClick(bool checked) {
    if (checked && platform_.browser->DefaultBrowserName().isEmpty()) {
        mainForm_->tracciaweb->setChecked(false);
        messages_.error(QStringLiteral("Nessun web browser disponibile"));
    }
}

void Application::showVisitedPages() {
    showModal(formurl_, [this]() -> std::unique_ptr<Tformurl> {
        auto w = std::make_unique<Tformurl>(data_, messages_, *platform_.shellOpen, reportError_,
                                            PagesRequest::all());
        if (!w->loaded()) return nullptr;
        return w;
    });
}

void Application::showDayPages(const QString& dayText) {
    showModal(formurl_, [&]() -> std::unique_ptr<Tformurl> {
        auto w = std::make_unique<Tformurl>(data_, messages_, *platform_.shellOpen, reportError_,
                                            PagesRequest::ofDay(dayText));
        if (!w->loaded()) return nullptr;
        return w;
    });
}

void Application::showCallDetails(CallsTag tag, const QString& period) {
    showModal(formInfoCalls_, [&]() -> std::unique_ptr<TformInfoCalls> {
        auto w = std::make_unique<TformInfoCalls>(data_, messages_, *platform_.shellOpen,
                                                  reportError_, tag, period);
        if (!w->loaded()) return nullptr;
        return w;
    });
}

void Application::showChart() {
    showModal(formChart_, [this] {
        return std::make_unique<TformChart>(data_, *platform_.clock, messages_, reportError_);
    });
}

void Application::showLimits() {
    showModal(formavvisi_,
              [this] { return std::make_unique<Tformavvisi>(*limitHost_, *limitWatch_); });
}

void Application::showAbout() {
    if (!systemInfo_) systemInfo_ = std::make_unique<SystemInfo>();
    showModal(forminfo_, [this] {
        auto w = std::make_unique<Tforminfo>(*systemInfo_, *platform_.mailer, reportError_,
                                             session_->settings().firstStart(),
                                             session_->abnormalStops());
        connect(w.get(), &Tforminfo::homePageRequested, this,
                [this](const QString& url) { OpenPage(*platform_.shellOpen, messages_, url); });
        return w;
    });
}

void Application::mailToMaker() {
    MailToMaker(*platform_.mailer, paths_.log());
}

void Application::clearPageHistory() {
    if (ClearPageHistory(data_, messages_, reportError_)) mainForm_->lblurl->clear();
}

Backup& Application::backup() {
    if (!backup_) {
        backup_ = std::make_unique<Backup>(
            data_, paths_.settings(), *platform_.clock, messages_,
            compactionThrough(messages_, [this](bool busy) { setBusyCursor(busy); }));
    }
    return *backup_;
}

void Application::runBackup() {
    backup().save(session_->options());
}

void Application::runRestore() {
    backup().restore([this](const RestoredState&) {
        // The options, limits and abnormal stops as the restored settings file holds them.
        session_->reloadSettings();
        // The lists and totals of the main window are read again from the restored file.
        mainForm_->rgClick();
    });
}

}  // namespace telmora
