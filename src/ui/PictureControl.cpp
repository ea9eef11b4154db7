#include "ui/PictureControl.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace quorix {

PictureControl::PictureControl(const TwipsGeometry& twips, QWidget* parent)
    : QWidget(parent), twips_(twips) {
    setMouseTracking(true);
}

void PictureControl::setPicture(const QPixmap& picture) {
    picture_ = picture;
    if (!picture_.isNull()) {
        resize(pictureSize());
    }
    if (isVisible()) {
        repaint();
    }
}

QSize PictureControl::pictureSize() const {
    if (picture_.isNull()) {
        return QSize(0, 0);
    }
    const QSizeF size = picture_.deviceIndependentSize();
    return QSize(static_cast<int>(std::lround(size.width())),
                 static_cast<int>(std::lround(size.height())));
}

std::int32_t PictureControl::pictureWidthTwips() const {
    return twips_.twipsX(pictureSize().width());
}

std::int32_t PictureControl::pictureHeightTwips() const {
    return twips_.twipsY(pictureSize().height());
}

void PictureControl::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

void PictureControl::mousePressEvent(QMouseEvent* event) {
    click_.press(*event);
    event->accept();
}

void PictureControl::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (click_.release(*this, *event)) {
        emit clicked();
    }
}

void PictureControl::mouseDoubleClickEvent(QMouseEvent* event) {
    click_.doubleClick();
    event->accept();
}

void PictureControl::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    emit mouseMoved(event->buttons(), event->modifiers(), event->position().toPoint());
}

} // namespace quorix
