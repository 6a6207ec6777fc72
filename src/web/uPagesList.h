#pragma once
// The list of page lines both list windows show: light blue, the hint "Apri con doppio click",
// a horizontal scroll range set from its widest line, and a double click that asks for the
// selected line to be opened.

#include <QListWidget>

namespace telmora {

class TPageList : public QListWidget {
    Q_OBJECT
public:
    explicit TPageList(QWidget* parent = nullptr);

    // The width in pixels the horizontal scroll bar lets the user reach (0: no scrolling).
    int horizontalExtent() const { return extent_; }
    void setHorizontalExtent(int pixels);

    QStringList lines() const;

signals:
    // A double click with a line selected; nothing is asked while no line is selected.
    void lineOpenRequested(const QString& line);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void updateGeometries() override;

private:
    int extent_ = 0;
};

// Sets the list's horizontal scroll range to the width of its longest line (by characters, the
// first of equally long ones) in the list's font, plus 10 pixels; 0 for an empty list.
void FitListScrollWidth(TPageList& list);

}  // namespace telmora
