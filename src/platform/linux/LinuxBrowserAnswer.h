#pragma once
// What every browser's answer has in common: the family a browser's name belongs to, and the
// answer text "URL","TITLE" built from what the browser reported.

#include <QString>

namespace telmora {

enum class BrowserFamily { Unknown, Firefox, Chromium };

// By the name of the program or of its desktop entry, in any letter case.
BrowserFamily browserFamily(const QString& name);

// "URL","TITLE" with each double quote inside doubled; the text ends at a NUL character, as a
// text handed between programs does. Empty when the address is empty.
QString browserAnswer(const QString& url, const QString& title);

}  // namespace telmora
