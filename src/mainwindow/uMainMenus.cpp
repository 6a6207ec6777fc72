// The main menu bar and the tray icon's popup menu.

#include <QApplication>
#include <QMenuBar>

#include "uMain.h"
#include "uMainMenuStyle.h"

namespace telmora {
namespace {

QIcon glyph(int index) {
    return QIcon(QStringLiteral(":/glyphs/glyph%1.svg").arg(index, 2, 10, QLatin1Char('0')));
}

QAction* addItem(QMenu* menu, const QString& name, const QString& caption, int glyphIndex,
                 bool enabled = true) {
    QAction* a = menu->addAction(glyph(glyphIndex), caption);
    a->setObjectName(name);
    a->setEnabled(enabled);
    return a;
}

QMenu* addSubmenu(QMenu* menu, const QString& name, const QString& caption, const QIcon& icon) {
    QMenu* sub = menu->addMenu(icon, caption);
    sub->setObjectName(name);
    sub->menuAction()->setObjectName(name);
    return sub;
}

QAction* addSeparator(QMenu* menu, const QString& name) {
    QAction* a = menu->addSeparator();
    a->setObjectName(name);
    return a;
}

}  // namespace

void TMainForm::buildMainMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    // The bar keeps the desktop's colours: on the window's blue a disabled caption is lost.
    QPalette desktop = QApplication::palette(bar);
    for (auto role : {QPalette::Window, QPalette::Button, QPalette::WindowText}) {
        desktop.setColor(role, desktop.color(role));  // set, not inherited from the window
    }
    bar->setPalette(desktop);
    auto* barStyle = new MenuBarStyle;
    barStyle->setParent(bar);
    bar->setStyle(barStyle);
    // Items whose commands come later are shown disabled until they work.
    QMenu* strumenti =
        bar->addMenu(QIcon(QStringLiteral(":/glyphs/strumenti.svg")), QStringLiteral("&Strumenti"));
    strumenti->setObjectName(QStringLiteral("Strumenti1"));
    strumenti->menuAction()->setObjectName(QStringLiteral("Strumenti1"));
    addItem(strumenti, QStringLiteral("Paginewebvisitate1"), QStringLiteral("&Pagine web visitate"),
            9, false);
    addItem(strumenti, QStringLiteral("Chart1"), QStringLiteral("&Grafico"), 15, false);
    addSeparator(strumenti, QStringLiteral("N2"));
    QMenu* backup =
        addSubmenu(strumenti, QStringLiteral("Backup1"), QStringLiteral("&Backup"), glyph(14));
    addItem(backup, QStringLiteral("Eseguibackup1"), QStringLiteral("&Esegui"), 11, false);
    addItem(backup, QStringLiteral("Ripristina1"), QStringLiteral("&Ripristina"), 12, false);

    QMenu* opzioni =
        bar->addMenu(QIcon(QStringLiteral(":/glyphs/opzioni.svg")), QStringLiteral("&Opzioni"));
    opzioni->setObjectName(QStringLiteral("Opzioni1"));
    opzioni->menuAction()->setObjectName(QStringLiteral("Opzioni1"));
    tracciaweb = addItem(opzioni, QStringLiteral("tracciaweb"),
                         QStringLiteral("&Traccia pagine web"), 3, false);
    tracciaweb->setCheckable(true);
    connect(tracciaweb, &QAction::toggled, this, [this](bool on) { session_.setTracciaweb(on); });
    addItem(opzioni, QStringLiteral("mnueliminacrono"),
            QStringLiteral("&Cancella cronologia pagine web"), 1, false);
    addItem(opzioni, QStringLiteral("Avvisi1"), QStringLiteral("&Avvisi connessione internet"), 10,
            false);
    QMenu* password =
        addSubmenu(opzioni, QStringLiteral("Password1"), QStringLiteral("&Password"), glyph(4));
    addItem(password, QStringLiteral("InsPswMenuItem"), QStringLiteral("&Attiva"), 7, false);
    addItem(password, QStringLiteral("CamPswMenuItem"), QStringLiteral("&Cambia"), 5, false);
    addItem(password, QStringLiteral("DisPswMenuItem"), QStringLiteral("&Disattiva"), 6, false);
    addSeparator(opzioni, QStringLiteral("N1"));
    Disattiva1 =
        addItem(opzioni, QStringLiteral("Disattiva1"), QStringLiteral("&Disattiva Telmora"), 8);
    connect(Disattiva1, &QAction::triggered, this, &TMainForm::Disattiva1Click);

    QAction* help =
        bar->addAction(QIcon(QStringLiteral(":/glyphs/info.svg")), QStringLiteral("&Info"));
    help->setObjectName(QStringLiteral("Help1"));
    help->setEnabled(false);
}

void TMainForm::buildTrayMenu() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Chiudi1 = addItem(PopupMenu1, QStringLiteral("Chiudi1"), QStringLiteral("&Chiudi"), 1);
    Lasciaattivo1 =
        addItem(PopupMenu1, QStringLiteral("Lasciaattivo1"), QStringLiteral("&Lascia attivo"), 0);
    mnutelmora = addItem(PopupMenu1, QStringLiteral("mnutelmora"), QStringLiteral("Telmor&a"), 2);
    connect(Chiudi1, &QAction::triggered, this, &TMainForm::exitRequested);
    connect(Lasciaattivo1, &QAction::triggered, this, &TMainForm::Lasciaattivo1Click);
    connect(mnutelmora, &QAction::triggered, this, &TMainForm::showRequested);
}

}  // namespace telmora

namespace telmora {

QAction* TMainForm::menuItem(const QString& name) const {
    return findChild<QAction*>(name);
}

}  // namespace telmora
