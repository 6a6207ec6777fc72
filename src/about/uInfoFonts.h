#pragma once
// The faces of the About window, each with the closest face common on Linux desktops after it.

#include <QFont>
#include <QStringList>

namespace telmora {

inline QFont infoFont(const QStringList& families, QFont::StyleHint hint, int points,
                      bool bold = false, bool italic = false) {
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(hint);
    font.setPointSize(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

inline QFont tahomaFont(int points = 8) {
    return infoFont({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")}, QFont::SansSerif,
                    points);
}

inline QFont garamondBoldFont(int points) {
    return infoFont(
        {QStringLiteral("Garamond"), QStringLiteral("EB Garamond"), QStringLiteral("DejaVu Serif")},
        QFont::Serif, points, true);
}

inline QFont timesItalicFont(int points) {
    return infoFont({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                     QStringLiteral("DejaVu Serif")},
                    QFont::Serif, points, false, true);
}

}  // namespace telmora
