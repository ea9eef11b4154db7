#include "author/PreviewMarks.h"

#include <QPainter>
#include <QPen>

namespace quorix::author {

QRect CentredShape(const QRect& bounds, int width, int height) {
    QSize size(bounds.width(), bounds.width() * height / width);
    if (size.height() > bounds.height()) {
        size = QSize(bounds.height() * width / height, bounds.height());
    }
    QRect shape(QPoint(0, 0), size);
    shape.moveCenter(bounds.center());
    return shape;
}

QImage MarkPreview(const QImage& screen, const QRect& area, int overscan, bool aspect,
                   bool overscanEdge) {
    QImage marked = screen.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&marked);
    const int thickness = std::max(2, marked.width() / 400);
    if (aspect) {
        const QRect bounds = marked.rect();
        painter.setPen(QPen(QColor(WideGuideColour), thickness, Qt::DashLine));
        painter.drawRect(CentredShape(bounds, 16, 9).adjusted(0, 0, -1, -1));
        painter.setPen(QPen(QColor(NarrowGuideColour), thickness, Qt::DashLine));
        painter.drawRect(CentredShape(bounds, 4, 3).adjusted(0, 0, -1, -1));
    }
    if (overscanEdge && overscan != 0) {
        painter.setPen(QPen(QColor(OverscanGuideColour), thickness, Qt::DotLine));
        painter.drawRect(area.adjusted(overscan, overscan, -overscan - 1, -overscan - 1));
    }
    return marked;
}

} // namespace quorix::author
