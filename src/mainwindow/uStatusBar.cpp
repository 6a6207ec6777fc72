#include "uStatusBar.h"

#include <qdrawutil.h>

#include <QMouseEvent>
#include <QPainter>

#include "uMainFont.h"

namespace telmora {
namespace {

const QString kCredit = QStringLiteral("Telmora - il tempo della tua connessione");

}  // namespace

StatusBar1::StatusBar1(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFont(windowFont());
    setFixedHeight(QFontMetrics(windowFont()).height() + 6);
}

QString StatusBar1::panelText(int panel) const {
    if (panel == 0) return kCredit;
    return online() || lanShown() ? QStringLiteral("ONLINE") : QStringLiteral("OFFLINE");
}

QColor StatusBar1::panelColor(int panel) const {
    if (panel == 0) return QColor(128, 0, 128);
    return online() || lanShown() ? QColor(230, 0, 0) : QColor(Qt::black);
}

QRect StatusBar1::panelRect(int panel) const {
    if (panel == 0) return QRect(0, 0, kLeftPanelWidth, height());
    return QRect(kLeftPanelWidth + 2, 0, width() - kLeftPanelWidth - 2, height());
}

void StatusBar1::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // A status bar in the colour of buttons, whatever the window's own background.
    p.fillRect(rect(), palette().button());
    const QFont font = windowFont();
    p.setFont(font);
    const QFontMetrics metrics(font);
    for (int panel = 0; panel < 2; ++panel) {
        const QRect r = panelRect(panel);
        qDrawShadePanel(&p, r, palette(), true, 1);
        const QString text = panelText(panel);
        p.setPen(panelColor(panel));
        const int left = centredLeft(r.left(), r.width(), metrics.horizontalAdvance(text));
        p.drawText(QPoint(left, r.top() + metrics.ascent() + 2), text);
    }
}

void StatusBar1::mouseMovedTo(int x) {
    if (x > kLeftPanelWidth) {
        Tag = 1;
        if (lanShown()) {
            setToolTip(QString());
        } else {
            setToolTip(online() ? QStringLiteral("Chiudi connessione")
                                : QStringLiteral("Attiva connessione"));
        }
    } else if (x < kLeftPanelWidth) {
        Tag = 0;
        setToolTip(QStringLiteral("mail to"));
    }
}

void StatusBar1::mouseMoveEvent(QMouseEvent* event) {
    mouseMovedTo(static_cast<int>(event->position().x()));
}

void StatusBar1::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

}  // namespace telmora
