#pragma once
// How a whole-number spin field reads its text: a text that is not a whole number reads as the
// lower bound, and any number is brought into the range.

#include <QString>

namespace telmora {

int spinTextValue(const QString& text, int minimum, int maximum);

}  // namespace telmora
