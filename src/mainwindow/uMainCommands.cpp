// The commands of the tray menu, the status bar and the deactivation.

#include "uMain.h"
#include "uStatusBar.h"

namespace telmora {

void TMainForm::sb1Click() {
    if (sb1_->Tag != 1) {
        emit mailToMakerRequested();
        return;
    }
    if (session_.lanShown()) return;
    if (session_.online()) {
        if (messages_.confirm(QStringLiteral("Chiudere la connessione?")) != Answer::No) {
            commands_.HangUpConnection();
        }
    } else if (messages_.confirm(QStringLiteral("Attivare una connessione ora?")) != Answer::No) {
        commands_.DialConnection();
    }
}

void TMainForm::Lasciaattivo1Click() {
    // Minimised without being shown: a hidden window must not flash on the taskbar first.
    setWindowState(windowState() | Qt::WindowMinimized);
    HideMainWindow();
}

void TMainForm::Disattiva1Click() {
    if (messages_.confirm(QStringLiteral("Disattivare Telmora?")) != Answer::Yes) return;
    try {
        platform_.autostart->remove();
    } catch (const Error& e) {
        // Still registered: saying it is deactivated and ending would be a lie.
        reportError_(e);
        return;
    }
    messages_.information(
        QStringLiteral("Telmora disattivato. Per riattivare Telmora lanciare il programma dal "
                       "menù di avvio"));
    session_.requestExit();
}

}  // namespace telmora
