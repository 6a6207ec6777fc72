#pragma once
// The face of the main window and its status bar: Tahoma 8 pt where it is installed; most Linux
// desktops lack it, and DejaVu Sans at the same size comes closest among the common faces.

#include <QFont>
#include <QStringList>

namespace telmora {

inline QFont windowFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

}  // namespace telmora
