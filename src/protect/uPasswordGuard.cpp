#include "uPasswordGuard.h"

#include "uPasswordFile.h"

namespace telmora {

PasswordGuard::PasswordGuard(QString passwordFile, PromptFactory createPrompt)
    : passwordFile_(std::move(passwordFile)), createPrompt_(std::move(createPrompt)) {}

bool PasswordGuard::allow(PasswordRequest request) {
    if (!passwordFileExists(passwordFile_)) return true;
    if (formpsw_) {
        // The tray still answers while the prompt is up; one prompt at a time.
        formpsw_->raise();
        formpsw_->activateWindow();
        return false;
    }
    const std::unique_ptr<Tformpsw> prompt = createPrompt_();
    formpsw_ = prompt.get();
    prompt->RequestItem = request;
    prompt->exec();
    formpsw_ = nullptr;
    if (prompt->failure()) std::rethrow_exception(prompt->failure());
    return prompt->passwordAccepted();
}

}  // namespace telmora
