#include "uPsw.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "uPasswordFile.h"

namespace telmora {

Tformpsw::Tformpsw(QString passwordFile, QWidget* parent)
    : QDialog(parent), passwordFile_(std::move(passwordFile)) {
    setObjectName(QStringLiteral("formpsw"));
    setWindowTitle(QStringLiteral("Telmora"));
    // A dialog border: no resizing, no help button.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);

    Label1 = new QLabel(QStringLiteral("Digitare password:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Password = new QLineEdit(this);
    Password->setObjectName(QStringLiteral("Password"));
    Password->setEchoMode(QLineEdit::Password);
    // A star for every character, whatever the style would draw.
    Password->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    Label1->setBuddy(Password);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    connect(OKBtn, &QPushButton::clicked, this, &Tformpsw::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &Tformpsw::CancelBtnClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Password);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Password->setMinimumWidth(Password->fontMetrics().horizontalAdvance(QLatin1Char('*')) * 30);
}

void Tformpsw::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    accepted_ = false;
    failure_ = nullptr;
    Password->clear();
    Password->setFocus();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void Tformpsw::OKBtnClick() {
    // Compared as typed: a blank the stored password does not have is a wrong password.
    try {
        accepted_ = PasswordMatches(Password->text(),
                                    ReadPassword(passwordFile_, QStringLiteral("Tformpsw")));
    } catch (...) {
        // Kept for the caller: an error must not cross the dialog's event loop.
        failure_ = std::current_exception();
    }
    // Right or wrong, the prompt closes; a wrong password is not told.
    done(accepted_ ? QDialog::Accepted : QDialog::Rejected);
}

void Tformpsw::CancelBtnClick() {
    reject();
}

}  // namespace telmora
