#include "uApplication.h"

#include <QApplication>
#include <QGuiApplication>
#include <QSystemTrayIcon>

#include "uHints.h"
#include "uMain.h"
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
    const SessionPaths sessionPaths{paths.programFile, paths.settings(), QString()};
    session_ =
        std::make_unique<MainSession>(platform, data_, sessionPaths, reportError_, *notices_);
    mainForm_ = std::make_unique<TMainForm>(*session_, platform, data_, reportError_, messages);
    tray_->icon()->setContextMenu(mainForm_->PopupMenu1);
    wireTray();
    wireSystemEvents();
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

void Application::start() {
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) installHints(*app);
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
