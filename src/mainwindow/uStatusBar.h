#pragma once
// The main window's status bar: two owner-drawn panels, the credit line on the left and the
// connection state on the right, with hints and a click that dials or hangs up.

#include <QColor>
#include <QWidget>
#include <functional>

namespace telmora {

class StatusBar1 : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLeftPanelWidth = 350;

    explicit StatusBar1(QWidget* parent = nullptr);

    // Where the connection state comes from: the monitor's Online and the LAN/proxy flag.
    std::function<bool()> online = [] { return false; };
    std::function<bool()> lanShown = [] { return false; };

    // The panel the mouse was last over: 0 left, 1 right.
    int Tag = 0;

    QString panelText(int panel) const;
    QColor panelColor(int panel) const;
    // The left edge of a centred text, the division truncating towards zero.
    static int centredLeft(int panelLeft, int panelWidth, int textWidth) {
        return panelLeft + (panelWidth - textWidth) / 2;
    }

    void mouseMovedTo(int x);  // sb1MouseMove

signals:
    void clicked();  // sb1Click

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect panelRect(int panel) const;
};

}  // namespace telmora
