#pragma once
// The About window's scrolling credit line: the credit with blanks in front and behind, losing
// its first character at each tick, so that it runs leftwards and comes back in once used up.

#include <QString>

#include "uMaker.h"

namespace telmora {

class CreditLine {
public:
    static constexpr int kLeadingBlanks = 60;
    static constexpr int kTrailingBlanks = 2;

    explicit CreditLine(QString credit = kCreditText) : credit_(std::move(credit)) { start(); }

    // The full line again: the blanks, the credit, the blanks.
    void start();
    // One character less; the full line again on the tick that takes the last one.
    void tick();

    const QString& text() const { return text_; }

private:
    QString credit_;
    QString text_;
};

}  // namespace telmora
