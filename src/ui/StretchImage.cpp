#include "ui/StretchImage.h"

#include <QPainter>

namespace quorix::ui {

StretchImage::StretchImage(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
}

void StretchImage::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void StretchImage::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), picture_);
}

} // namespace quorix::ui
