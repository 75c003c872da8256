#pragma once

#include <QLabel>

namespace parlumo {

// A picture that acts as a button: it reports clicks, double clicks and presses (for dragging
// and resizing a borderless window) and shows a hand cursor.
class PictureButton : public QLabel {
    Q_OBJECT
public:
    explicit PictureButton(const QString& name, QWidget* parent = nullptr);

Q_SIGNALS:
    void clicked();
    void doubleClicked();
    void pressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

} // namespace parlumo
