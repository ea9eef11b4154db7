#pragma once

#include <QMouseEvent>
#include <QPixmap>
#include <QWidget>

namespace quorix::ui {

// An image control with stretching on: its picture fills the control, whatever the sizes.
// Without a picture it is transparent. Pointer events over it are its own (nothing here
// handles them), so they do not reach the picture box beneath.
class StretchImage : public QWidget {
    Q_OBJECT

public:
    explicit StretchImage(QWidget* parent);

    QPixmap picture() const { return picture_; }
    void setPicture(const QPixmap& picture);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }
    void mouseDoubleClickEvent(QMouseEvent* event) override { event->accept(); }
    void mouseMoveEvent(QMouseEvent* event) override { event->accept(); }

private:
    QPixmap picture_;
};

} // namespace quorix::ui
