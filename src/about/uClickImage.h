#pragma once
// A picture that works as a link: hand cursor, a hint, and a signal when clicked.

#include <QLabel>

namespace telmora {

class ClickImage : public QLabel {
    Q_OBJECT
public:
    ClickImage(const QString& hint, QWidget* parent);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace telmora
