#pragma once
// Every message box and input box of the program goes through this one interface, so that
// tests can answer them in advance. The windowed program uses the Qt boxes (mainwindow).

#include <QString>
#include <deque>
#include <optional>
#include <vector>

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
    // A single-line input box; nothing when cancelled.
    virtual std::optional<QString> input(const QString& caption, const QString& prompt,
                                         bool secret) = 0;
};

// Answers prepared by a test, and a record of every box shown.
class ScriptedMessages final : public IMessages {
public:
    struct Shown {
        QString kind;  // confirm, error, information, plain, input
        QString text;
    };

    std::deque<Answer> confirmAnswers;          // Yes when none is left
    std::deque<std::optional<QString>> inputs;  // cancelled when none is left
    std::vector<Shown> shown;

    Answer confirm(const QString& text) override {
        shown.push_back({QStringLiteral("confirm"), text});
        if (confirmAnswers.empty()) return Answer::Yes;
        const Answer a = confirmAnswers.front();
        confirmAnswers.pop_front();
        return a;
    }
    void error(const QString& text) override { shown.push_back({QStringLiteral("error"), text}); }
    void information(const QString& text) override {
        shown.push_back({QStringLiteral("information"), text});
    }
    void plain(const QString& text) override { shown.push_back({QStringLiteral("plain"), text}); }
    std::optional<QString> input(const QString&, const QString& prompt, bool) override {
        shown.push_back({QStringLiteral("input"), prompt});
        if (inputs.empty()) return std::nullopt;
        auto v = inputs.front();
        inputs.pop_front();
        return v;
    }
};

}  // namespace telmora
