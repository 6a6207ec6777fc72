#pragma once
// The Qt message and input boxes of the windowed program, all titled "Telmora".

#include <QDialog>
#include <QPointer>

#include "IMessages.h"

class QWidget;

namespace telmora {

class QtMessages final : public IMessages {
public:
    Answer confirm(const QString& text) override;
    void error(const QString& text) override;
    void information(const QString& text) override;
    void plain(const QString& text) override;
    std::optional<QString> input(const QString& caption, const QString& prompt, bool secret,
                                 const QString& initial) override;
    std::optional<QString> chooseFolder(const QString& title) override;
    std::optional<QString> chooseOpenFile(const QString& title, const QString& nameFilter) override;
    std::optional<QString> chooseSaveFile(const QString& title, const QString& nameFilter,
                                          const QString& proposedName,
                                          const QString& defaultSuffix) override;

    void abandon() override;

    // The window the boxes are centred on; none centres them on the screen.
    QWidget* parent = nullptr;

private:
    // Runs a box modally unless the program is ending; false when it did not run to an answer.
    bool run(QDialog& box);

    bool abandoned_ = false;
    QPointer<QDialog> open_;
};

}  // namespace telmora
