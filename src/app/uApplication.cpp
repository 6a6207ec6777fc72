#include "uApplication.h"

#include <QApplication>
#include <QGuiApplication>
#include <QSystemTrayIcon>

#include "uBackup.h"
#include "uConnectionCommands.h"
#include "uHints.h"
#include "uLimitWatch.h"
#include "uMain.h"
#include "uPageCapture.h"
#include "uPasswordFile.h"
#include "uPasswordGuard.h"
#include "uPsw.h"
#include "uSessionHosts.h"
#include "uStartupCompaction.h"
#include "uSystemInfo.h"
#include "uTrayIcon.h"

namespace telmora {

Application::Application(Platform& platform, IMessages& messages, const InstallationPaths& paths,
                         QObject* parent)
    : QObject(parent),
      platform_(platform),
      messages_(messages),
      paths_(paths),
      data_(paths.database()),
      reportError_(paths.log(), *platform.clock, messages) {
    reportError_.restoreCursor = [] {
        while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    };
    tray_ = std::make_unique<TrayIcon>(nullptr);
    notices_ = tray_.get();
    if (platform.wrapTray) {
        trayWrapper_ = platform.wrapTray(*tray_);
        notices_ = trayWrapper_.get();
    }
    const SessionPaths sessionPaths{paths.programFile, paths.settings(),
                                    passwordFilePath(paths.programFile)};
    session_ =
        std::make_unique<MainSession>(platform, data_, sessionPaths, reportError_, *notices_);
    mainForm_ = std::make_unique<TMainForm>(*session_, platform, data_, reportError_, messages);
    tray_->icon()->setContextMenu(mainForm_->PopupMenu1);
    wireTray();
    wireSystemEvents();
    wireWorkers();
    wireMenus();
    connect(session_.get(), &MainSession::finished, this, &Application::onFinished);
}

Application::~Application() = default;

void Application::wireTray() {
    connect(session_.get(), &MainSession::connectionUp, this,
            [this] { notices_->setAnimating(true); });
    connect(session_.get(), &MainSession::connectionDown, this,
            [this] { notices_->setAnimating(false); });
    connect(tray_.get(), &TrayIcon::doubleClicked, mainForm_.get(), &TMainForm::showRequested);
    connect(mainForm_.get(), &TMainForm::showRequested, mainForm_.get(),
            &TMainForm::ShowMainWindow);
    connect(mainForm_.get(), &TMainForm::exitRequested, session_.get(), &MainSession::requestExit);
}

void Application::wireSystemEvents() {
    if (platform_.createEvents) events_ = platform_.createEvents();
    if (events_) {
        connect(events_.get(), &ISystemEvents::sessionEnding, session_.get(),
                &MainSession::onSessionEnding);
        connect(events_.get(), &ISystemEvents::clockChanged, session_.get(),
                &MainSession::onClockChanged);
    }
    // The desktop's save request comes at checkpoints too, where the program goes on; the end
    // of the desktop session itself arrives as a signal (sessionEnding above).
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(gui, &QGuiApplication::commitDataRequest, session_.get(),
                &MainSession::onSessionCheckpoint);
    }
}

void Application::wireWorkers() {
    commands_ = std::make_unique<ConnectionCommands>(*platform_.internet, messages_);
    captureHost_ = std::make_unique<SessionCaptureHost>(*session_);
    capture_ = std::make_unique<PageCapture>(
        *captureHost_, CaptureServices{*platform_.browser, data_, reportError_, *platform_.clock});
    limitHost_ = std::make_unique<SessionLimitHost>(*session_);
    limitWatch_ = std::make_unique<LimitWatch>(*limitHost_, data_, *platform_.clock, reportError_,
                                               *notices_, *commands_);
    MainSession* s = session_.get();
    connect(s, &MainSession::connectionUp, capture_.get(), &PageCapture::connectionUp);
    connect(s, &MainSession::connectionDown, capture_.get(), &PageCapture::connectionDown);
    connect(s, &MainSession::connectionUp, this, [this](LinkKind kind) {
        if (kind == LinkKind::DialUp) limitWatch_->connectionUp();
    });
    connect(s, &MainSession::connectionDown, this, [this](LinkKind kind) {
        if (kind == LinkKind::DialUp) limitWatch_->connectionDown();
    });
    // The exit waits here for a capture or a check under way, before the database closes.
    connect(s, &MainSession::stopping, this, [this] {
        capture_->stop();
        capture_->waitForCapture();
        limitWatch_->exiting();
    });
}

void Application::showMainWindowGuarded() {
    if (passwordGuard_->allow(PasswordRequest::mnutelmora)) mainForm_->ShowMainWindow();
}

void Application::exitGuarded() {
    if (passwordGuard_->allow(PasswordRequest::Chiudi1)) session_->requestExit();
}

void Application::setBusyCursor(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    }
}

void Application::start() {
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) installHints(*app);
    // On odd days the database is compacted before anything reads it.
    compactAtStartUp(*platform_.clock, data_,
                     compactionThrough(messages_, [this](bool busy) { setBusyCursor(busy); }));
    session_->startUp();
    if (session_->finishedRunning()) return;
    tray_->useNewTrayBehaviour();
    // Without a notification area nobody could reach a hidden window.
    if (!tray_->available()) mainForm_->ShowMainWindow();
}

void Application::onFinished() {
    // Whatever box is open closes unanswered, and so does every window shown modally.
    messages_.abandon();
    emit finished();
}

}  // namespace telmora
