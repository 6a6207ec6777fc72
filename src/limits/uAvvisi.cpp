#include "uAvvisi.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

#include "uLimitWatch.h"
#include "uMainFont.h"
#include "uSpinText.h"

namespace telmora {

namespace {

const QColor kMoneyGreen(192, 220, 192);
const QColor kNavy(0, 0, 128);
constexpr int kDayHoursMax = 23;
constexpr int kMonthHoursMax = 600;

// The window's own palette with every text role set explicitly, so that the controls inside a
// group keep black texts under the group's navy caption.
QPalette formPalette() {
    QPalette p = QApplication::palette();
    p.setColor(QPalette::Window, kMoneyGreen);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        p.setColor(role, p.color(role));
    }
    return p;
}

}  // namespace

TSpinEdit::TSpinEdit(int minimum, int maximum, QWidget* parent) : QSpinBox(parent) {
    setRange(minimum, maximum);
    setValue(minimum);
}

int TSpinEdit::readValue() const {
    return spinTextValue(cleanText(), minimum(), maximum());
}

Tformavvisi::Tformavvisi(ILimitSettings& settings, LimitWatch& watch, QWidget* parent)
    : QDialog(parent), settings_(settings), watch_(watch) {
    setObjectName(QStringLiteral("formavvisi"));
    setWindowTitle(QStringLiteral("Avvisi connessione internet"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(windowFont());
    setAutoFillBackground(true);
    setPalette(formPalette());

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 8, 8, 8);
    row->setSpacing(8);
    GroupBox1 = limitGroup(QStringLiteral("GroupBox1"), QStringLiteral("LIMITE GIORNALIERO (ore)"),
                           chDayLimit, spinDay, kDayHoursMax, chDisconnectDay);
    GroupBox2 = limitGroup(QStringLiteral("GroupBox2"), QStringLiteral("LIMITE MENSILE (ore)"),
                           chMonthLimit, spinMonth, kMonthHoursMax, chDisconnectMonth);
    chDayLimit->setObjectName(QStringLiteral("chDayLimit"));
    spinDay->setObjectName(QStringLiteral("spinDay"));
    chDisconnectDay->setObjectName(QStringLiteral("chDisconnectDay"));
    chMonthLimit->setObjectName(QStringLiteral("chMonthLimit"));
    spinMonth->setObjectName(QStringLiteral("spinMonth"));
    chDisconnectMonth->setObjectName(QStringLiteral("chDisconnectMonth"));
    row->addWidget(GroupBox1);
    row->addWidget(GroupBox2);
    connect(chDayLimit, &QCheckBox::toggled, this, &Tformavvisi::chDayLimitClick);
    connect(chMonthLimit, &QCheckBox::toggled, this, &Tformavvisi::chMonthLimitClick);

    const QSize size = sizeHint();
    setFixedSize(size);
    if (const QScreen* s = screen()) {
        move(s->availableGeometry().center() - QPoint(size.width() / 2, size.height() / 2));
    }
}

QGroupBox* Tformavvisi::limitGroup(const QString& name, const QString& caption, QCheckBox*& notice,
                                   TSpinEdit*& hours, int maximum, QCheckBox*& disconnect) {
    auto* group = new QGroupBox(caption, this);
    group->setObjectName(name);
    QPalette captionColour = group->palette();
    captionColour.setColor(QPalette::WindowText, kNavy);
    group->setPalette(captionColour);

    notice = new QCheckBox(QStringLiteral("Avvisa"), group);
    hours = new TSpinEdit(1, maximum, group);
    hours->setToolTip(QStringLiteral("Ore di connessione"));
    disconnect = new QCheckBox(QStringLiteral("Disconnetti automaticamente"), group);
    auto* column = new QVBoxLayout(group);
    for (QWidget* control : std::initializer_list<QWidget*>{notice, hours, disconnect}) {
        control->setPalette(formPalette());
        column->addWidget(control);
    }
    return group;
}

void Tformavvisi::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void Tformavvisi::FormShow() {
    closed_ = false;
    const QString hint = QStringLiteral("Disconnetti automaticamente\r\nal superamento del limite");
    chDisconnectDay->setToolTip(hint);
    chDisconnectMonth->setToolTip(hint);
    const LimitSettings s = settings_.limitSettings();
    chDayLimit->setChecked(s.daylimit);
    spinDay->setValue(s.hdaylimit);
    chDisconnectDay->setChecked(s.disconnectday);
    chMonthLimit->setChecked(s.monthlimit);
    spinMonth->setValue(s.hmonthlimit);
    chDisconnectMonth->setChecked(s.disconnectmonth);
    chDayLimitClick();
    chMonthLimitClick();
}

void Tformavvisi::chDayLimitClick() {
    spinDay->setEnabled(chDayLimit->isChecked());
    chDisconnectDay->setEnabled(chDayLimit->isChecked());
}

void Tformavvisi::chMonthLimitClick() {
    spinMonth->setEnabled(chMonthLimit->isChecked());
    chDisconnectMonth->setEnabled(chMonthLimit->isChecked());
}

// Every way of closing the window ends here: the close box, Escape, close().
void Tformavvisi::done(int result) {
    if (!closed_) {
        closed_ = true;
        FormClose();
    }
    QDialog::done(result);
}

void Tformavvisi::FormClose() {
    LimitSettings s;
    s.daylimit = chDayLimit->isChecked();
    s.monthlimit = chMonthLimit->isChecked();
    s.hdaylimit = spinDay->readValue();
    s.hmonthlimit = spinMonth->readValue();
    s.disconnectday = chDisconnectDay->isChecked();
    s.disconnectmonth = chDisconnectMonth->isChecked();
    settings_.setLimitSettings(s);
    watch_.settingsWindowClosed();
}

}  // namespace telmora
