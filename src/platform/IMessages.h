#pragma once
// Every message box and input box of the program goes through this one interface, so that
// tests can answer them in advance. The windowed program uses the Qt boxes (mainwindow).

#include <QString>
#include <optional>

namespace telmora {

enum class Answer { Yes, No, Closed };

class IMessages {
public:
    virtual ~IMessages() = default;
    // A question with Yes and No; closing the box answers Closed.
    virtual Answer confirm(const QString& text) = 0;
    virtual void error(const QString& text) = 0;        // error icon, OK
    virtual void information(const QString& text) = 0;  // information icon, OK
    // A plain box with the text and OK, no icon.
    virtual void plain(const QString& text) = 0;
    // A single-line input box holding initial at first; nothing when cancelled.
    virtual std::optional<QString> input(const QString& caption, const QString& prompt, bool secret,
                                         const QString& initial = QString()) = 0;
    // The system's folder chooser; nothing when cancelled.
    virtual std::optional<QString> chooseFolder(const QString& title) = 0;
    // The system's file chooser for a file to open, offering the files that nameFilter names
    // (a Qt name filter such as "telmora.mdb"); nothing when cancelled.
    virtual std::optional<QString> chooseOpenFile(const QString& title,
                                                  const QString& nameFilter) = 0;
    // The program is ending: the open box closes, and it and every later one answer at once as
    // refused (No, cancelled), so that nothing a question was about happens any more.
    virtual void abandon() = 0;
    // The system's file chooser for a file to write, holding proposedName at first; a name
    // without an extension gets defaultSuffix, and replacing an existing file is asked first.
    // Nothing when cancelled.
    virtual std::optional<QString> chooseSaveFile(const QString& title, const QString& nameFilter,
                                                  const QString& proposedName,
                                                  const QString& defaultSuffix) = 0;
};

}  // namespace telmora
