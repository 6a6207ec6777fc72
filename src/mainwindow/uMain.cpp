#include "uMain.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "uHints.h"
#include "uMainFont.h"
#include "uMainMenuStyle.h"
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

QLabel* colouredLabel(const QString& name, const QColor& background, const QColor& foreground,
                      QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAutoFillBackground(true);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, foreground);
    label->setPalette(p);
    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return label;
}

QFont bold(QFont font) {
    font.setBold(true);
    return font;
}

QLabel* boldLabel(const QString& name, QWidget* parent, const QColor& colour = Qt::black) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFont(bold(label->font()));
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
    return label;
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

// Wide enough for the longest texts of the totals panel in its bold face.
int totalsPanelWidth(const QFont& font) {
    const QFontMetrics metrics(bold(font));
    int width = 0;
    for (const char* sample : {"Pagine web visitate:  00000", "Totale:  00000 h 59 m 59 s",
                               "Sessione più lunga:", "00/00/0000 00.00.00"}) {
        width = std::max(width, metrics.horizontalAdvance(QString::fromUtf8(sample)));
    }
    return width;
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
    setObjectName(QStringLiteral("MainForm"));
    buildWindow();
    buildMainMenu();
    buildTrayMenu();
    fitAndCentre();
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
    setWindowIcon(QIcon(QStringLiteral(":/icons/telmora.svg")));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(windowFont());
    QPalette p = palette();
    p.setColor(QPalette::Window, kWindowBlue);
    setPalette(p);

    auto* central = new QWidget(this);
    central->setAutoFillBackground(true);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    lbltop = colouredLabel(QStringLiteral("lbltop"), Qt::black, Qt::yellow, central);
    lbltop->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lbltop->setContentsMargins(6, 2, 6, 2);
    // Keeps its height while the clock has not written its first line.
    lbltop->setMinimumHeight(lbltop->fontMetrics().height() + 4);
    column->addWidget(lbltop);

    auto* middle = new QHBoxLayout;
    middle->setContentsMargins(8, 8, 8, 8);
    middle->setSpacing(8);
    auto* selectors = new QGridLayout;
    selectors->setHorizontalSpacing(6);
    selectors->setVerticalSpacing(2);
    const QStringList captions = {QStringLiteral("GIORNO"), QStringLiteral("MESE"),
                                  QStringLiteral("ANNO")};
    for (int i = 0; i < captions.size(); ++i) {
        QLabel* caption =
            colouredLabel(QStringLiteral("Label%1").arg(i + 1), Qt::black, Qt::yellow, central);
        caption->setText(captions[i]);
        caption->setAlignment(Qt::AlignCenter);
        caption->setContentsMargins(0, 1, 0, 1);
        selectors->addWidget(caption, 0, i);
    }
    datgiorno = new QDateEdit(central);
    datgiorno->setObjectName(QStringLiteral("datgiorno"));
    datgiorno->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    datgiorno->setCalendarPopup(true);
    combomese = new QComboBox(central);
    combomese->setObjectName(QStringLiteral("combomese"));
    comboanno = new QComboBox(central);
    comboanno->setObjectName(QStringLiteral("comboanno"));
    for (QComboBox* list : {combomese, comboanno}) {
        list->setEditable(false);
        // Room for a month key (yyyy/mm) before the lists are filled.
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        list->setMinimumContentsLength(7);
    }
    // Three columns of one width, with air beside the date's text.
    const int columnWidth = datgiorno->sizeHint().width() + 8;
    for (int i = 0; i < 3; ++i) {
        selectors->setColumnMinimumWidth(i, columnWidth);
        selectors->setColumnStretch(i, 1);
    }
    selectors->addWidget(datgiorno, 1, 0);
    selectors->addWidget(combomese, 1, 1);
    selectors->addWidget(comboanno, 1, 2);
    // Only the user's choices compute a report: filling the lists or setting the day does not.
    connect(datgiorno, &QDateEdit::dateChanged, this, &TMainForm::datgiornoChange);
    connect(combomese, &QComboBox::activated, this, &TMainForm::combomeseChange);
    connect(comboanno, &QComboBox::activated, this, &TMainForm::comboannoChange);

    rg = new QGroupBox(QStringLiteral("ATTIVITA'"), central);
    rg->setObjectName(QStringLiteral("rg"));
    auto* rgLayout = new QGridLayout(rg);
    rgLayout->setContentsMargins(8, 4, 8, 4);
    rgInternet = new QRadioButton(QStringLiteral("Internet"), rg);
    rgPc = new QRadioButton(QStringLiteral("PC"), rg);
    rgLayout->addWidget(rgInternet, 0, 0);
    rgLayout->addWidget(rgPc, 0, 1);
    auto* rgButtons = new QButtonGroup(rg);
    rgButtons->addButton(rgInternet, 0);
    rgButtons->addButton(rgPc, 1);
    // The options hold the chosen item: restoring it at start-up is no change.
    connect(rgButtons, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (!checked || session_->options.rg == id) return;
        session_->options.rg = id;
        rgClick();
    });
    selectors->setRowMinimumHeight(2, 6);
    selectors->addWidget(rg, 3, 0, 1, 3);
    selectors->setRowStretch(4, 1);
    middle->addLayout(selectors);

    auto* panel1 = new QFrame(central);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel1->setAutoFillBackground(true);
    QPalette red = panel1->palette();
    red.setColor(QPalette::Window, QColor(255, 0, 0));
    panel1->setPalette(red);
    auto* panelLayout = new QVBoxLayout(panel1);
    panelLayout->setContentsMargins(8, 6, 8, 6);
    panelLayout->setSpacing(3);
    lbltot = boldLabel(QStringLiteral("lbltot"), panel1);
    lblcalls = boldLabel(QStringLiteral("lblcalls"), panel1);
    lblmax = boldLabel(QStringLiteral("lblmax"), panel1);
    lblmax->setWordWrap(true);
    lblmax->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblmax->setFixedHeight(lblmax->fontMetrics().lineSpacing() * 4);
    lblurl = boldLabel(QStringLiteral("lblurl"), panel1, Qt::blue);
    // Each keeps its line while empty, so nothing moves when a report fills them.
    for (QLabel* l : {lbltot, lblcalls, lblurl}) l->setMinimumHeight(l->fontMetrics().height());
    for (QLabel* l : {lbltot, lblcalls, lblmax, lblurl}) panelLayout->addWidget(l);
    panelLayout->addStretch();
    panel1->setFixedWidth(totalsPanelWidth(font()) + 20);
    middle->addWidget(panel1);
    column->addLayout(middle);

    auto* lines = new QVBoxLayout;
    lines->setContentsMargins(8, 0, 8, 8);
    lines->setSpacing(0);
    const QStringList lineNames = {QStringLiteral("lblconnessione"), QStringLiteral("lbldevice"),
                                   QStringLiteral("lblip")};
    QLabel** lineLabels[] = {&lblconnessione, &lbldevice, &lblip};
    for (int i = 0; i < 3; ++i) {
        QLabel* line = colouredLabel(lineNames[i], kCream, kNavy, central);
        line->setFont(bold(line->font()));
        line->setContentsMargins(4, 1, 4, 1);
        line->setMinimumHeight(line->fontMetrics().height() + 2);
        lines->addWidget(line);
        *lineLabels[i] = line;
    }
    column->addLayout(lines);

    sb1_ = new StatusBar1(central);
    sb1_->setObjectName(QStringLiteral("sb1"));
    connect(sb1_, &StatusBar1::clicked, this, &TMainForm::sb1Click);
    column->addWidget(sb1_);
    setCentralWidget(central);
}

void TMainForm::fitAndCentre() {
    // A fixed border: the size the contents ask for, never narrower than the status bar's
    // credit panel with room for the state beside it.
    constexpr int kMinimumWidth = StatusBar1::kLeftPanelWidth + 180;
    const QSize wanted = sizeHint().expandedTo(QSize(kMinimumWidth, 0));
    setFixedSize(wanted);
    if (const QScreen* s = screen()) {
        move(s->availableGeometry().center() - QPoint(wanted.width() / 2, wanted.height() / 2));
    }
}

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
    connect(tracciaweb, &QAction::toggled, this,
            [this](bool on) { session_->options.tracciaweb = on; });
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
    // Minimised without being shown: a hidden window must not flash on the taskbar first.
    setWindowState(windowState() | Qt::WindowMinimized);
    HideMainWindow();
}

void TMainForm::mnutelmoraClick() {
    ShowMainWindow();
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
    // Only becoming visible counts; the system's notices (a restore from minimised) do not.
    if (event->spontaneous()) return;
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
