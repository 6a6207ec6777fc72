#include "uHints.h"

#include <QApplication>
#include <QHelpEvent>
#include <QProxyStyle>
#include <QToolTip>
#include <QWidget>

namespace telmora {
namespace {

constexpr int kShowAfterMs = 200;
constexpr int kHideAfterMs = 3500;

class HintStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ToolTip_WakeUpDelay) return kShowAfterMs;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// Shows every widget's tooltip for a fixed time instead of Qt's length-dependent one.
class HintFilter final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip) return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget) return false;
        const QString tip = widget->toolTip();
        auto* help = static_cast<QHelpEvent*>(event);
        if (tip.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(help->globalPos(), tip, widget, QRect(), kHideAfterMs);
        }
        return true;
    }
};

}  // namespace

void installHints(QApplication& app) {
    app.setStyle(new HintStyle);
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 0));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(palette);
    app.installEventFilter(new HintFilter(&app));
}

}  // namespace telmora
