#pragma once

#include <QPoint>
#include <QWidget>

namespace quorix::ui {

// A designed control's pointer input, shared by labels, picture boxes and picture controls.
// Click is the left button pressed on the control and released over it; the press of a double
// click does not count again, so a double click gives one Click, as in the old toolkit. Every
// move over the control is reported with the buttons and keys held (the pointer is tracked
// without a button too). Pointer events stop at the control: they do not reach what lies
// beneath it.
class PointerControl : public QWidget {
    Q_OBJECT

public:
    explicit PointerControl(QWidget* parent);

signals:
    void clicked();
    void mouseMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    bool armed_ = false;
};

} // namespace quorix::ui
