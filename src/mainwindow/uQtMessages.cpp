#include "uQtMessages.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace telmora {
namespace {

const QString kTitle = QStringLiteral("Telmora");

}  // namespace

bool QtMessages::run(QDialog& box) {
    if (abandoned_) return false;
    open_ = &box;
    const int result = box.exec();
    open_ = nullptr;
    return !abandoned_ && result == QDialog::Accepted;
}

void QtMessages::abandon() {
    abandoned_ = true;
    if (open_) open_->reject();
}

Answer QtMessages::confirm(const QString& text) {
    QMessageBox box(QMessageBox::Question, kTitle, text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("&Sì"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    run(box);
    // A question the ending program closed is no answer: nothing it asked about may happen.
    if (abandoned_) return Answer::No;
    if (box.clickedButton() == yes) return Answer::Yes;
    if (box.clickedButton() == no) return Answer::No;
    return Answer::Closed;
}

void QtMessages::error(const QString& text) {
    QMessageBox box(QMessageBox::Critical, kTitle, text, QMessageBox::Ok, parent);
    run(box);
}

void QtMessages::information(const QString& text) {
    QMessageBox box(QMessageBox::Information, kTitle, text, QMessageBox::Ok, parent);
    run(box);
}

void QtMessages::plain(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, kTitle, text, QMessageBox::Ok, parent);
    run(box);
}

std::optional<QString> QtMessages::input(const QString& caption, const QString& prompt, bool secret,
                                         const QString& initial) {
    QInputDialog box(parent);
    box.setWindowTitle(caption);
    box.setLabelText(prompt);
    box.setTextEchoMode(secret ? QLineEdit::Password : QLineEdit::Normal);
    box.setTextValue(initial);
    if (!run(box)) return std::nullopt;
    return box.textValue();
}

std::optional<QString> QtMessages::chooseFolder(const QString& title) {
    QFileDialog box(parent, title);
    box.setFileMode(QFileDialog::Directory);
    box.setOption(QFileDialog::ShowDirsOnly);
    if (!run(box) || box.selectedFiles().isEmpty()) return std::nullopt;
    return box.selectedFiles().constFirst();
}

std::optional<QString> QtMessages::chooseOpenFile(const QString& title, const QString& nameFilter) {
    QFileDialog box(parent, title, QString(), nameFilter);
    box.setFileMode(QFileDialog::ExistingFile);
    box.setAcceptMode(QFileDialog::AcceptOpen);
    if (!run(box) || box.selectedFiles().isEmpty()) return std::nullopt;
    return box.selectedFiles().constFirst();
}

std::optional<QString> QtMessages::chooseSaveFile(const QString& title, const QString& nameFilter,
                                                  const QString& proposedName,
                                                  const QString& defaultSuffix) {
    QFileDialog dialog(parent, title, QString(), nameFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);  // in a folder that exists
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(proposedName);
    if (!run(dialog) || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
}

}  // namespace telmora
