#include "uQtMessages.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace telmora {
namespace {

const QString kTitle = QStringLiteral("Telmora");

void showBox(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, kTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace

Answer QtMessages::confirm(const QString& text) {
    QMessageBox box(QMessageBox::Question, kTitle, text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("&Sì"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.exec();
    if (box.clickedButton() == yes) return Answer::Yes;
    if (box.clickedButton() == no) return Answer::No;
    return Answer::Closed;
}

void QtMessages::error(const QString& text) {
    showBox(parent, QMessageBox::Critical, text);
}

void QtMessages::information(const QString& text) {
    showBox(parent, QMessageBox::Information, text);
}

void QtMessages::plain(const QString& text) {
    showBox(parent, QMessageBox::NoIcon, text);
}

std::optional<QString> QtMessages::input(const QString& caption, const QString& prompt, bool secret,
                                         const QString& initial) {
    bool ok = false;
    const QString text = QInputDialog::getText(
        parent, caption, prompt, secret ? QLineEdit::Password : QLineEdit::Normal, initial, &ok);
    if (!ok) return std::nullopt;
    return text;
}

std::optional<QString> QtMessages::chooseFolder(const QString& title) {
    const QString folder = QFileDialog::getExistingDirectory(parent, title);
    if (folder.isEmpty()) return std::nullopt;
    return folder;
}

std::optional<QString> QtMessages::chooseOpenFile(const QString& title, const QString& nameFilter) {
    const QString file = QFileDialog::getOpenFileName(parent, title, QString(), nameFilter);
    if (file.isEmpty()) return std::nullopt;
    return file;
}

std::optional<QString> QtMessages::chooseSaveFile(const QString& title, const QString& nameFilter,
                                                  const QString& proposedName,
                                                  const QString& defaultSuffix) {
    QFileDialog dialog(parent, title, QString(), nameFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);  // in a folder that exists
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
}

}  // namespace telmora
