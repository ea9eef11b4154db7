#include "ui/PictureBox.h"

#include "ui/BgrColor.h"

#include <QMouseEvent>
#include <QPainter>

namespace quorix {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setBackColor(std::int32_t bgr) {
    backColor_ = bgr;
    update();
}

void PictureBox::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ColorFromBgr(backColor_));
    if (!picture_.isNull()) {
        painter.drawPixmap(0, 0, picture_);
    }
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    click_.press(*event);
    event->accept();
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (click_.release(*this, *event)) {
        emit clicked();
    }
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
    click_.doubleClick();
    event->accept();
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    emit mouseMoved(event->buttons(), event->modifiers(), event->position().toPoint());
}

} // namespace quorix
