#include "uMain.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "uHints.h"
#include "uStatusBar.h"
#include "uTrayIcon.h"

namespace telmora {
namespace {

const QColor kWindowBlue(153, 204, 255);
const QColor kCream(255, 251, 240);
const QColor kNavy(0, 0, 128);

QIcon glyph(int index) {
    return QIcon(QStringLiteral(":/glyphs/glyph%1.svg").arg(index, 2, 10, QLatin1Char('0')));
}

QLabel* colouredLabel(const QString& text, const QColor& background, const QColor& foreground,
                      QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAutoFillBackground(true);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, foreground);
    label->setPalette(p);
    return label;
}

QLabel* boldLabel(QWidget* parent, const QColor& colour = Qt::black) {
    auto* label = new QLabel(parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
    return label;
}

QAction* addItem(QMenu* menu, const QString& caption, int glyphIndex, bool enabled = true) {
    QAction* a = menu->addAction(glyphIndex >= 0 ? glyph(glyphIndex) : QIcon(), caption);
    a->setEnabled(enabled);
    return a;
}

}  // namespace

TMainForm::TMainForm(Platform& platform, TDataModule1& dataModule, const SessionPaths& paths,
                     ReportError& reportError, IMessages& messages, QWidget* parent)
    : QMainWindow(parent),
      platform_(platform),
      data_(dataModule),
      reportError_(reportError),
      messages_(messages),
      commands_(*platform.internet, messages),
      totals_(dataModule) {
    buildWindow();
    buildMainMenu();
    buildTrayMenu();
    tray_ = new TrayIcon(PopupMenu1, this);
    connect(tray_, &TrayIcon::doubleClicked, this, &TMainForm::TrayIcon1DblClick);
    ITrayNotices* notices = tray_;
    if (platform.wrapTray) {
        trayNotices_ = platform.wrapTray(*tray_);
        notices = trayNotices_.get();
    }
    session_ = std::make_unique<MainSession>(platform, dataModule, paths, reportError, *this,
                                             *notices, this);
    sb1_->online = [this] { return session_->ras.Online(); };
    sb1_->lanShown = [this] { return session_->lanShown; };
}

TMainForm::~TMainForm() = default;

void TMainForm::buildWindow() {
    setWindowTitle(QStringLiteral("Telmora"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    setFont(font);
    QPalette p = palette();
    p.setColor(QPalette::Window, kWindowBlue);
    setPalette(p);

    auto* central = new QWidget(this);
    central->setAutoFillBackground(true);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);

    lbltop = colouredLabel(QString(), Qt::black, Qt::yellow, central);
    lbltop->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lbltop->setMinimumHeight(20);
    column->addWidget(lbltop);

    auto* middle = new QHBoxLayout;
    middle->setContentsMargins(6, 0, 6, 0);
    auto* selectors = new QGridLayout;
    const QStringList captions = {QStringLiteral("GIORNO"), QStringLiteral("MESE"),
                                  QStringLiteral("ANNO")};
    for (int i = 0; i < captions.size(); ++i) {
        QLabel* caption = colouredLabel(captions[i], Qt::black, Qt::yellow, central);
        caption->setAlignment(Qt::AlignCenter);
        caption->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        selectors->addWidget(caption, 0, i);
    }
    datgiorno = new QDateEdit(central);
    datgiorno->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    datgiorno->setCalendarPopup(true);
    combomese = new QComboBox(central);
    comboanno = new QComboBox(central);
    combomese->setEditable(false);
    comboanno->setEditable(false);
    selectors->addWidget(datgiorno, 1, 0);
    selectors->addWidget(combomese, 1, 1);
    selectors->addWidget(comboanno, 1, 2);

    rg = new QGroupBox(QStringLiteral("ATTIVITA'"), central);
    auto* rgLayout = new QHBoxLayout(rg);
    rgInternet = new QRadioButton(QStringLiteral("Internet"), rg);
    rgPc = new QRadioButton(QStringLiteral("PC"), rg);
    rgLayout->addWidget(rgInternet);
    rgLayout->addWidget(rgPc);
    auto* rgButtons = new QButtonGroup(rg);
    rgButtons->addButton(rgInternet, 0);
    rgButtons->addButton(rgPc, 1);
    connect(rgButtons, &QButtonGroup::idClicked, this,
            [this](int id) { session_->options.rg = id; });
    selectors->addWidget(rg, 2, 0, 1, 3);
    middle->addLayout(selectors, 3);

    auto* panel1 = new QWidget(central);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setAutoFillBackground(true);
    QPalette red = panel1->palette();
    red.setColor(QPalette::Window, QColor(255, 0, 0));
    panel1->setPalette(red);
    panel1->setMinimumWidth(220);
    auto* panelLayout = new QVBoxLayout(panel1);
    lbltot = boldLabel(panel1);
    lblcalls = boldLabel(panel1);
    lblmax = boldLabel(panel1);
    lblmax->setWordWrap(true);
    lblmax->setFixedHeight(lblmax->fontMetrics().lineSpacing() * 4);
    lblurl = boldLabel(panel1, Qt::blue);
    for (QLabel* l : {lbltot, lblcalls, lblmax, lblurl}) panelLayout->addWidget(l);
    panelLayout->addStretch();
    middle->addWidget(panel1, 2);
    column->addLayout(middle);

    for (QLabel** line : {&lblconnessione, &lbldevice, &lblip}) {
        *line = colouredLabel(QString(), kCream, kNavy, central);
        QFont f = (*line)->font();
        f.setBold(true);
        (*line)->setFont(f);
        (*line)->setMinimumHeight(16);
        column->addWidget(*line);
    }

    sb1_ = new StatusBar1(central);
    connect(sb1_, &StatusBar1::clicked, this, &TMainForm::sb1Click);
    column->addWidget(sb1_);
    setCentralWidget(central);
    setFixedSize(560, 330);
}

void TMainForm::buildMainMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    // Items whose commands come later are shown disabled until they work.
    QMenu* strumenti =
        bar->addMenu(QIcon(QStringLiteral(":/glyphs/strumenti.svg")), QStringLiteral("&Strumenti"));
    addItem(strumenti, QStringLiteral("&Pagine web visitate"), 9, false);
    addItem(strumenti, QStringLiteral("&Grafico"), 15, false);
    strumenti->addSeparator();
    QMenu* backup = strumenti->addMenu(glyph(14), QStringLiteral("&Backup"));
    addItem(backup, QStringLiteral("&Esegui"), 11, false);
    addItem(backup, QStringLiteral("&Ripristina"), 12, false);

    QMenu* opzioni =
        bar->addMenu(QIcon(QStringLiteral(":/glyphs/opzioni.svg")), QStringLiteral("&Opzioni"));
    tracciaweb = addItem(opzioni, QStringLiteral("&Traccia pagine web"), 3, false);
    tracciaweb->setCheckable(true);
    connect(tracciaweb, &QAction::toggled, this,
            [this](bool on) { session_->options.tracciaweb = on; });
    addItem(opzioni, QStringLiteral("&Cancella cronologia pagine web"), 1, false);
    addItem(opzioni, QStringLiteral("&Avvisi connessione internet"), 10, false);
    QMenu* password = opzioni->addMenu(glyph(4), QStringLiteral("&Password"));
    addItem(password, QStringLiteral("&Attiva"), 7, false);
    addItem(password, QStringLiteral("&Cambia"), 5, false);
    addItem(password, QStringLiteral("&Disattiva"), 6, false);
    opzioni->addSeparator();
    Disattiva1 = addItem(opzioni, QStringLiteral("&Disattiva Telmora"), 8);
    connect(Disattiva1, &QAction::triggered, this, &TMainForm::Disattiva1Click);

    QAction* help =
        bar->addAction(QIcon(QStringLiteral(":/glyphs/info.svg")), QStringLiteral("&Info"));
    help->setEnabled(false);
}

void TMainForm::buildTrayMenu() {
    PopupMenu1 = new QMenu(this);
    Chiudi1 = addItem(PopupMenu1, QStringLiteral("&Chiudi"), 1);
    Lasciaattivo1 = addItem(PopupMenu1, QStringLiteral("&Lascia attivo"), 0);
    mnutelmora = addItem(PopupMenu1, QStringLiteral("Telmor&a"), 2);
    connect(Chiudi1, &QAction::triggered, this, &TMainForm::Chiudi1Click);
    connect(Lasciaattivo1, &QAction::triggered, this, &TMainForm::Lasciaattivo1Click);
    connect(mnutelmora, &QAction::triggered, this, &TMainForm::mnutelmoraClick);
}

void TMainForm::FormCreate() {
    session_->startUp();
    // Without a notification area nobody could reach a hidden window.
    if (!tray_->available()) ShowMainWindow();
}

int TMainForm::rgIndex() const {
    return rgPc->isChecked() ? 1 : (rgInternet->isChecked() ? 0 : -1);
}

bool TMainForm::passwordProtected() const {
    return !session_->passwordFile.isEmpty() && QFileInfo::exists(session_->passwordFile);
}

void TMainForm::ShowMainWindow() {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

void TMainForm::HideMainWindow() {
    hide();
}

void TMainForm::sb1Click() {
    if (sb1_->Tag != 1) return;  // the credit panel's mail comes with the About window
    if (session_->lanShown) return;
    if (session_->ras.Online()) {
        if (messages_.confirm(QStringLiteral("Chiudere la connessione?")) != Answer::No) {
            commands_.HangUpConnection();
        }
    } else if (messages_.confirm(QStringLiteral("Attivare una connessione ora?")) != Answer::No) {
        commands_.DialConnection();
    }
}

void TMainForm::Chiudi1Click() {
    session_->requestExit();
}

void TMainForm::Lasciaattivo1Click() {
    showMinimized();
    HideMainWindow();
}

void TMainForm::mnutelmoraClick() {
    ShowMainWindow();
}

void TMainForm::Disattiva1Click() {
    if (messages_.confirm(QStringLiteral("Disattivare Telmora?")) != Answer::Yes) return;
    platform_.autostart->remove();
    messages_.information(
        QStringLiteral("Telmora disattivato. Per riattivare Telmora lanciare il programma dal "
                       "menù di avvio"));
    session_->requestExit();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!session_->closingAllowed) {
        event->ignore();
        HideMainWindow();
        return;
    }
    if (!session_->closeQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    QCoreApplication::quit();
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    raise();
    repaintStatusBar();
    rgClick();
    rg->setFocus();
}

// ---- period totals ----

namespace {

void setBase(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, colour);
    p.setColor(QPalette::Button, colour);
    w->setPalette(p);
}

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

// Waits with the busy pointer; the error handler puts the normal one back on failure too.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

void TMainForm::paintSelectors(QWidget* red) {
    for (QWidget* w : std::initializer_list<QWidget*>{datgiorno, combomese, comboanno}) {
        setBase(w, w == red ? QColor(Qt::red) : QColor(Qt::white));
    }
}

void TMainForm::datgiornoChange() {
    paintSelectors(datgiorno);
    ShowPeriodTotals(datgiorno);
}

void TMainForm::combomeseChange() {
    paintSelectors(combomese);
    ShowPeriodTotals(combomese);
}

void TMainForm::comboannoChange() {
    paintSelectors(comboanno);
    ShowPeriodTotals(comboanno);
}

void TMainForm::clearTotals() {
    for (QLabel* l : {lbltot, lblcalls, lblmax, lblurl}) l->clear();
    lblurl->setToolTip(QString());
    lblurl->unsetCursor();
}

void TMainForm::ShowPeriodTotals(QObject* sender) {
    clearTotals();
    setTextColour(lblcalls, Qt::black);
    lblcalls->setToolTip(QString());
    lblcalls->unsetCursor();
    lblcallsTag_ = 0;
    const int index = rgIndex();
    if (index != 0 && index != 1) return;
    PeriodKind kind;
    QString value;
    if (sender == datgiorno) {
        kind = PeriodKind::Day;
        value = dayText(fromQDateTime(datgiorno->date().startOfDay()));
    } else if (sender == combomese) {
        kind = PeriodKind::Month;
        value = combomese->currentText().trimmed();
    } else if (sender == comboanno) {
        kind = PeriodKind::Year;
        value = comboanno->currentText().trimmed();
    } else {
        return;
    }
    PeriodReport report;
    try {
        WaitCursor wait;
        report = totals_.compute(index == 0 ? Activity::Internet : Activity::Pc, kind, value);
    } catch (const Error& e) {
        reportError_(e);
        return;
    }
    lbltot->setText(report.lbltot);
    lblcalls->setText(report.lblcalls);
    lblmax->setText(report.lblmax);
    lblurl->setText(report.lblurl);
    lblcallsTag_ = static_cast<int>(report.callsTag);
    if (report.callsLink.active) {
        setTextColour(lblcalls, Qt::blue);
        lblcalls->setToolTip(report.callsLink.hint);
        lblcalls->setCursor(Qt::PointingHandCursor);
    }
    if (report.urlLink.active) {
        lblurl->setToolTip(report.urlLink.hint);
        lblurl->setCursor(Qt::PointingHandCursor);
    }
}

void TMainForm::FillPeriodLists() {
    combomese->clear();
    comboanno->clear();
    const Activity activity = rgIndex() == 1 ? Activity::Pc : Activity::Internet;
    try {
        WaitCursor wait;
        combomese->addItems(totals_.monthList(activity));
        comboanno->addItems(totals_.yearList(activity));
    } catch (const Error& e) {
        reportError_(e);
    }
    combomese->setCurrentIndex(-1);
    comboanno->setCurrentIndex(-1);
}

void TMainForm::rgClick() {
    clearTotals();
    paintSelectors(nullptr);
    FillPeriodLists();
}

void TMainForm::closeWindow() {
    close();
}

void TMainForm::terminate() {
    QCoreApplication::exit(0);
}

void TMainForm::setDayPicker(DateTime day) {
    const CivilDate d = decodeDate(day);
    // Setting the day is no choice of the user: no report follows.
    const QSignalBlocker quiet(datgiorno);
    datgiorno->setDate(QDate(d.year, d.month, d.day));
}

void TMainForm::setupHints() {
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) installHints(*app);
}

void TMainForm::showOptions(const Options& options) {
    tracciaweb->setChecked(options.tracciaweb);
    (options.rg == 1 ? rgPc : rgInternet)->setChecked(true);
}

void TMainForm::useNewTrayBehaviour() {
    tray_->useNewTrayBehaviour();
}

void TMainForm::setClockLine(const QString& text) {
    lbltop->setText(text);
}

void TMainForm::setIdentityLines(const QString& connection, const QString& device,
                                 const QString& ip) {
    lblconnessione->setText(connection);
    lbldevice->setText(device);
    lblip->setText(ip);
}

void TMainForm::repaintStatusBar() {
    sb1_->update();
}

}  // namespace telmora
