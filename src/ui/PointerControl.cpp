#include "ui/PointerControl.h"

#include <QMouseEvent>

namespace quorix::ui {

PointerControl::PointerControl(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
}

void PointerControl::mousePressEvent(QMouseEvent* event) {
    armed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void PointerControl::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const bool click = armed_ && rect().contains(event->position().toPoint());
    armed_ = false;
    if (click) {
        emit clicked();
    }
}

void PointerControl::mouseDoubleClickEvent(QMouseEvent* event) {
    armed_ = false;
    event->accept();
}

void PointerControl::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    emit mouseMoved(event->buttons(), event->modifiers(), event->position().toPoint());
}

} // namespace quorix::ui
