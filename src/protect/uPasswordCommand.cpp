#include "uPasswordCommand.h"

#include "uPasswordFile.h"

namespace telmora {
namespace {

// The file goes back to owner-only access on every way out of a command.
class HideAgain {
public:
    explicit HideAgain(const QString& file) : file_(file) { HidePasswordFile(file_); }
    ~HideAgain() { HidePasswordFile(file_); }
    HideAgain(const HideAgain&) = delete;
    HideAgain& operator=(const HideAgain&) = delete;

private:
    const QString& file_;
};

bool declined(IMessages& messages, const QString& question) {
    return messages.confirm(question) == Answer::No;
}

// An entry box shows what is typed; cancelling it gives the empty text.
QString entry(IMessages& messages, const QString& caption, const QString& prompt) {
    return trimPassword(messages.input(caption, prompt, false).value_or(QString()));
}

// A new password and its confirmation, which opens holding it. Empty when either fails.
QString newPassword(IMessages& messages, const QString& prompt, const QString& confirmPrompt) {
    const QString caption = QStringLiteral("Password");
    const QString p = entry(messages, caption, prompt);
    if (p.isEmpty()) return {};
    const std::optional<QString> again = messages.input(caption, confirmPrompt, false, p);
    if (!again || *again != p) return {};
    return p;
}

void activate(const QString& file, IMessages& messages) {
    // The item is off while a password is set; replacing one without the old would bypass it.
    if (passwordFileExists(file)) return;
    if (declined(messages, QStringLiteral("Inserire password?"))) return;
    const QString p = newPassword(messages, QStringLiteral("Inserire password"),
                                  QStringLiteral("Confermare password"));
    if (p.isEmpty()) {
        messages.error(QStringLiteral("Errore nell'immissione della password!"));
        return;
    }
    SavePassword(file, p);
    messages.information(QStringLiteral("Password inserita"));
}

void change(const QString& file, IMessages& messages) {
    if (declined(messages, QStringLiteral("Cambiare password?"))) return;
    const QByteArray stored = ReadPassword(file);
    const QString old = entry(messages, QStringLiteral("Controllo password"),
                              QStringLiteral("Inserire vecchia password"));
    if (!PasswordMatches(old, stored)) {
        messages.error(QStringLiteral("Password non valida!"));
        return;
    }
    const QString p = newPassword(messages, QStringLiteral("Inserire nuova password"),
                                  QStringLiteral("Confermare nouva password"));
    if (p.isEmpty()) {
        messages.error(QStringLiteral("Errore nel cambiamento della password!"));
        return;
    }
    SavePassword(file, p);
    messages.information(QStringLiteral("Password cambiata"));
}

void deactivate(const QString& file, IMessages& messages) {
    if (declined(messages, QStringLiteral("Disattivare password?"))) return;
    const QByteArray stored = ReadPassword(file);
    const QString typed = entry(messages, QStringLiteral("Disattivazione password"),
                                QStringLiteral("Inserire password"));
    if (!PasswordMatches(typed, stored)) {
        messages.error(QStringLiteral("Password non valida!"));
        return;
    }
    DeletePasswordFile(file);
    messages.information(QStringLiteral("Password disattivata"));
}

}  // namespace

PasswordMenuState UpdatePasswordMenu(const QString& passwordFile) {
    const bool on = passwordFileExists(passwordFile);
    return PasswordMenuState{!on, on, on};
}

void PasswordCommand(PasswordAction sender, const QString& passwordFile, IMessages& messages) {
    const HideAgain hide(passwordFile);
    switch (sender) {
        case PasswordAction::Activate:
            activate(passwordFile, messages);
            break;
        case PasswordAction::Change:
            change(passwordFile, messages);
            break;
        case PasswordAction::Deactivate:
            deactivate(passwordFile, messages);
            break;
    }
}

}  // namespace telmora
