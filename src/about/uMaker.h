#pragma once
// Who makes Telmora, as the About window, its credit line and the mail to the maker name them.

#include <QString>

namespace telmora {

inline const QString kProductTitle = QStringLiteral("Telmora");
inline const QString kVersionText = QStringLiteral("v 2.4");

inline const QString kMakerName = QStringLiteral("Telmora Team");
inline const QString kMakerMail = QStringLiteral("team@telmora.example");
inline const QString kMakerHomePage = QStringLiteral("https://telmora.example/");
inline const QString kMakerLine = QStringLiteral("un programma del Telmora Team");
inline const QString kMakerTagline = QStringLiteral("Ogni minuto in linea, contato.");

// The scrolling credit line of the About window.
inline const QString kCreditText = QStringLiteral(
    "Telmora v 2.4 - realizzato dal Telmora Team - scriveteci: team@telmora.example");

}  // namespace telmora
