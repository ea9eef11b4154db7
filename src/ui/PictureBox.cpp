#include "ui/PictureBox.h"

#include "ui/BgrColor.h"

#include <QPainter>

namespace quorix::ui {

PictureBox::PictureBox(QWidget* parent) : PointerControl(parent) {
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

} // namespace quorix::ui
