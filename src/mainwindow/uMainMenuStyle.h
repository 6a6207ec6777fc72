#pragma once
// The menu bar's look: each top-level item shows its picture beside its caption. Qt's own bar
// shows the picture alone as soon as an item has one.

#include <QProxyStyle>

namespace telmora {

class MenuBarStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

}  // namespace telmora
