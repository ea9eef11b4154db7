#include "ui/PictureControl.h"

#include <QPainter>
#include <cmath>

namespace quorix::ui {

PictureControl::PictureControl(const TwipsGeometry& twips, QWidget* parent)
    : PointerControl(parent), twips_(twips) {}

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

} // namespace quorix::ui
