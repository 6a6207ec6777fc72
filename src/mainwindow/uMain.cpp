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

namespace telmora {
namespace {

const QColor kWindowBlue(153, 204, 255);
const QColor kCream(255, 251, 240);
const QColor kNavy(0, 0, 128);

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

TMainForm::TMainForm(MainSession& session, Platform& platform, TDataModule1& dataModule,
                     ReportError& reportError, IMessages& messages, QWidget* parent)
    : QMainWindow(parent),
      session_(session),
      platform_(platform),
      reportError_(reportError),
      messages_(messages),
      commands_(*platform.internet, messages),
      totals_(dataModule) {
    setObjectName(QStringLiteral("MainForm"));
    buildWindow();
    buildMainMenu();
    buildTrayMenu();
    fitAndCentre();
    connectSession();
}

TMainForm::~TMainForm() = default;

void TMainForm::connectSession() {
    sb1_->online = [this] { return session_.online(); };
    sb1_->lanShown = [this] { return session_.lanShown(); };
    connect(&session_, &MainSession::clockLineChanged, this, &TMainForm::setClockLine);
    connect(&session_, &MainSession::identityChanged, this, &TMainForm::setIdentityLines);
    connect(&session_, &MainSession::connectionStateChanged, this, &TMainForm::repaintStatusBar);
    connect(&session_, &MainSession::optionsChanged, this, &TMainForm::showOptions);
    connect(&session_, &MainSession::todayChosen, this, &TMainForm::setDayPicker);
    lblcalls->installEventFilter(this);
    lblurl->installEventFilter(this);
}

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
        if (!checked || session_.options().rg == id) return;
        session_.setRg(id);
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

void TMainForm::ShowMainWindow() {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

void TMainForm::HideMainWindow() {
    hide();
}

// The close box, Alt+F4 and the system menu only hide the window: the program ends through
// the session's exit, never through a closed window.
void TMainForm::closeEvent(QCloseEvent* event) {
    event->ignore();
    HideMainWindow();
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

void TMainForm::setDayPicker(DateTime day) {
    const CivilDate d = decodeDate(day);
    // Setting the day is no choice of the user: no report follows.
    const QSignalBlocker quiet(datgiorno);
    datgiorno->setDate(QDate(d.year, d.month, d.day));
}

void TMainForm::showOptions(const Options& options) {
    tracciaweb->setChecked(options.tracciaweb);
    (options.rg == 1 ? rgPc : rgInternet)->setChecked(true);
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
