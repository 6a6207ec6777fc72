#include "uCreditLine.h"

namespace telmora {

void CreditLine::start() {
    text_ = QString(kLeadingBlanks, QLatin1Char(' ')) + credit_ +
            QString(kTrailingBlanks, QLatin1Char(' '));
}

void CreditLine::tick() {
    text_.remove(0, 1);
    if (text_.isEmpty()) start();
}

}  // namespace telmora
