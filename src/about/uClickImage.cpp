#include "uClickImage.h"

#include <QMouseEvent>

namespace telmora {

ClickImage::ClickImage(const QString& hint, QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    setToolTip(hint);
}

void ClickImage::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

}  // namespace telmora
