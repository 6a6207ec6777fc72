#include "uPagesList.h"

#include <QMouseEvent>
#include <QScrollBar>

namespace telmora {

TPageList::TPageList(QWidget* parent) : QListWidget(parent) {
    setToolTip(QStringLiteral("Apri con doppio click"));
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setSelectionMode(QAbstractItemView::SingleSelection);
    QPalette p = palette();
    p.setColor(QPalette::Base, QColor(0xCC, 0xE6, 0xFF));  // light blue
    setPalette(p);
}

void TPageList::setHorizontalExtent(int pixels) {
    extent_ = pixels;
    updateGeometries();
}

QStringList TPageList::lines() const {
    QStringList out;
    for (int i = 0; i < count(); ++i) out << item(i)->text();
    return out;
}

void TPageList::mouseDoubleClickEvent(QMouseEvent* event) {
    QListWidget::mouseDoubleClickEvent(event);
    const QList<QListWidgetItem*> selected = selectedItems();
    if (!selected.isEmpty()) emit lineOpenRequested(selected.first()->text());
}

// The view works out a range from its items; the extent set by FitListScrollWidth replaces it.
void TPageList::updateGeometries() {
    QListWidget::updateGeometries();
    QScrollBar* bar = horizontalScrollBar();
    bar->setRange(0, qMax(0, extent_ - viewport()->width()));
    bar->setPageStep(viewport()->width());
}

void FitListScrollWidth(TPageList& list) {
    if (list.count() == 0) {
        list.setHorizontalExtent(0);
        return;
    }
    QString longest = list.item(0)->text();
    for (int i = 1; i < list.count(); ++i) {
        const QString text = list.item(i)->text();
        if (text.size() > longest.size()) longest = text;
    }
    list.setHorizontalExtent(list.fontMetrics().horizontalAdvance(longest) + 10);
}

}  // namespace telmora
