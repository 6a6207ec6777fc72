#pragma once
// The guarded tray actions ("Telmor&a", the double click, "&Chiudi"): with a password file on
// disk they wait for the password prompt, without one they go ahead at once.

#include <QPointer>
#include <functional>
#include <memory>

#include "uPsw.h"

namespace telmora {

class PasswordGuard {
public:
    // The composition root makes the prompt window; it is freed again when it closes.
    using PromptFactory = std::function<std::unique_ptr<Tformpsw>()>;

    PasswordGuard(QString passwordFile, PromptFactory createPrompt);

    // True when the action may go ahead: at once without a password file (looked up afresh
    // every time), otherwise only after the right password at the modal prompt. While a prompt
    // is already open it is brought to the front and this request is refused. Throws Error when
    // the password file cannot be read; the prompt is closed by then.
    bool allow(PasswordRequest request);

    // The open prompt, if any.
    Tformpsw* formpsw() const { return formpsw_; }

private:
    QString passwordFile_;
    PromptFactory createPrompt_;
    QPointer<Tformpsw> formpsw_;
};

}  // namespace telmora
