#pragma once
// The password prompt: asked before a guarded tray action (showing the main window, exiting).
// It only answers whether the right password was typed; what follows is the caller's.

#include <QDialog>
#include <exception>

class QLabel;
class QLineEdit;
class QPushButton;

namespace telmora {

// The tray action waiting behind the prompt.
enum class PasswordRequest { mnutelmora, Chiudi1 };  // "Telmor&a" (and double click), "&Chiudi"

class Tformpsw : public QDialog {
    Q_OBJECT
public:
    explicit Tformpsw(QString passwordFile, QWidget* parent = nullptr);

    PasswordRequest RequestItem = PasswordRequest::mnutelmora;

    // After the prompt has closed: true only when the stored password was typed exactly.
    bool passwordAccepted() const { return accepted_; }
    // After the prompt has closed: the failure that stopped the check, if any (file unreadable).
    std::exception_ptr failure() const { return failure_; }

    QLabel* Label1 = nullptr;
    QLineEdit* Password = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

protected:
    void showEvent(QShowEvent* event) override;  // FormShow

private:
    void OKBtnClick();
    void CancelBtnClick();

    QString passwordFile_;
    bool accepted_ = false;
    std::exception_ptr failure_;
};

}  // namespace telmora
