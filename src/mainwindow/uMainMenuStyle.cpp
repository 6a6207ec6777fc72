#include "uMainMenuStyle.h"

#include <QPainter>
#include <QStyleOptionMenuItem>

namespace telmora {
namespace {

constexpr int kGap = 4;  // between picture and caption

const QStyleOptionMenuItem* itemWithPicture(const QStyleOption* option) {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    return item && !item->icon.isNull() && !item->text.isEmpty() ? item : nullptr;
}

int captionWidth(const QStyleOptionMenuItem& item) {
    return item.fontMetrics.size(Qt::TextShowMnemonic, item.text).width();
}

}  // namespace

QSize MenuBarStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                     const QSize& size, const QWidget* widget) const {
    const QStyleOptionMenuItem* item = type == CT_MenuBarItem ? itemWithPicture(option) : nullptr;
    if (!item) return QProxyStyle::sizeFromContents(type, option, size, widget);
    const int icon = pixelMetric(PM_SmallIconSize, option, widget);
    const QSize content(icon + kGap + captionWidth(*item),
                        std::max(icon, item->fontMetrics.height()));
    return QProxyStyle::sizeFromContents(type, option, content, widget);
}

void MenuBarStyle::drawControl(ControlElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    const QStyleOptionMenuItem* item =
        element == CE_MenuBarItem ? itemWithPicture(option) : nullptr;
    if (!item) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    // The base style draws the item's background and highlight; picture and caption follow.
    QStyleOptionMenuItem bare = *item;
    bare.icon = QIcon();
    bare.text.clear();
    QProxyStyle::drawControl(element, &bare, painter, widget);

    const bool enabled = item->state & State_Enabled;
    const bool open = (item->state & State_Selected) && (item->state & State_Sunken);
    const int icon = pixelMetric(PM_SmallIconSize, option, widget);
    const int textWidth = captionWidth(*item);
    const QRect& r = item->rect;
    const int left = r.left() + (r.width() - (icon + kGap + textWidth)) / 2;

    const QPixmap picture =
        item->icon.pixmap(QSize(icon, icon), painter->device()->devicePixelRatio(),
                          enabled ? QIcon::Normal : QIcon::Disabled);
    drawItemPixmap(painter, QRect(left, r.top(), icon, r.height()), Qt::AlignCenter, picture);

    int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextSingleLine;
    if (!styleHint(SH_UnderlineShortcut, item, widget)) flags |= Qt::TextHideMnemonic;
    drawItemText(painter, QRect(left + icon + kGap, r.top(), textWidth, r.height()), flags,
                 item->palette, enabled, item->text,
                 open && enabled ? QPalette::HighlightedText : QPalette::ButtonText);
}

}  // namespace telmora
