#pragma once
// The message wrapper of the tests: every box answered in advance, every box recorded.

#include <deque>
#include <functional>
#include <vector>

#include "IMessages.h"

namespace telmora {

// Answers prepared by a test, and a record of every box shown.
class ScriptedMessages final : public IMessages {
public:
    struct Shown {
        QString kind;
        QString text;
    };

    std::vector<QString> inputCaptions;  // the caption of each input box

    bool abandoned = false;
    // Runs while a box is "open", as a user's logoff would come in the middle of one.
    std::function<void()> whileOpen;

    void abandon() override { abandoned = true; }

    std::deque<Answer> confirmAnswers;             // Yes when none is left
    std::deque<std::optional<QString>> inputs;     // cancelled when none is left
    std::deque<std::optional<QString>> folders;    // cancelled when none is left
    std::deque<std::optional<QString>> files;      // cancelled when none is left
    std::deque<std::optional<QString>> saveFiles;  // cancelled when none is left
    std::vector<QString> proposedNames;            // what each save chooser held at first
    std::vector<Shown>
        shown;  // kind: confirm, error, information, plain, input, folder, file, save
    std::vector<QString> initialTexts;  // what each input box held at first

    Answer confirm(const QString& text) override {
        shown.push_back({QStringLiteral("confirm"), text});
        runWhileOpen();
        if (abandoned) return Answer::No;
        if (confirmAnswers.empty()) return Answer::Yes;
        const Answer a = confirmAnswers.front();
        confirmAnswers.pop_front();
        return a;
    }
    void error(const QString& text) override {
        shown.push_back({QStringLiteral("error"), text});
        runWhileOpen();
    }
    void information(const QString& text) override {
        shown.push_back({QStringLiteral("information"), text});
    }
    void plain(const QString& text) override { shown.push_back({QStringLiteral("plain"), text}); }
    std::optional<QString> input(const QString& caption, const QString& prompt, bool,
                                 const QString& initial) override {
        shown.push_back({QStringLiteral("input"), prompt});
        inputCaptions.push_back(caption);
        initialTexts.push_back(initial);
        return next(inputs);
    }
    std::optional<QString> chooseFolder(const QString& title) override {
        shown.push_back({QStringLiteral("folder"), title});
        return next(folders);
    }
    std::optional<QString> chooseOpenFile(const QString& title, const QString& filter) override {
        shown.push_back({QStringLiteral("file"), title + QLatin1Char('|') + filter});
        return next(files);
    }
    std::optional<QString> chooseSaveFile(const QString& title, const QString& filter,
                                          const QString& proposedName,
                                          const QString& defaultSuffix) override {
        shown.push_back({QStringLiteral("save"),
                         title + QLatin1Char('|') + filter + QLatin1Char('|') + defaultSuffix});
        proposedNames.push_back(proposedName);
        return next(saveFiles);
    }

private:
    void runWhileOpen() {
        if (!whileOpen) return;
        auto run = std::move(whileOpen);
        whileOpen = nullptr;
        run();
    }
    static std::optional<QString> next(std::deque<std::optional<QString>>& answers) {
        if (answers.empty()) return std::nullopt;
        std::optional<QString> v = std::move(answers.front());
        answers.pop_front();
        return v;
    }
};

}  // namespace telmora
