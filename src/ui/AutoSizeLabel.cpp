#include "ui/AutoSizeLabel.h"

#include "ui/BgrColor.h"
#include "ui/DesignFont.h"

#include <QFontMetrics>
#include <QPainter>

namespace quorix::ui {

AutoSizeLabel::AutoSizeLabel(QWidget* parent) : PointerControl(parent) {
    setAutoFillBackground(false);
    refit();
}

void AutoSizeLabel::setCaption(const QString& caption) {
    caption_ = caption;
    refit();
}

void AutoSizeLabel::setForeColor(std::int32_t bgr) {
    foreColor_ = bgr;
    update();
}

void AutoSizeLabel::setFontName(const QString& face) {
    fontName_ = face;
    refit();
}

float AutoSizeLabel::fontSize() const {
    return FontPointsForPixels(pixelSize_, logicalDpiY());
}

void AutoSizeLabel::setFontSize(float points) {
    pixelSize_ = FontPixelsForPoints(points, logicalDpiY());
    refit();
}

void AutoSizeLabel::setFontBold(bool bold) {
    bold_ = bold;
    refit();
}

void AutoSizeLabel::setFontItalic(bool italic) {
    italic_ = italic;
    refit();
}

AutoSizeLabel* AutoSizeLabel::makeHiddenCopy() const {
    auto* copy = new AutoSizeLabel(parentWidget());
    copy->hide();
    copy->caption_ = caption_;
    copy->foreColor_ = foreColor_;
    copy->fontName_ = fontName_;
    copy->pixelSize_ = pixelSize_;
    copy->bold_ = bold_;
    copy->italic_ = italic_;
    copy->setMouseTracking(hasMouseTracking());
    if (testAttribute(Qt::WA_SetCursor)) {
        copy->setCursor(cursor());
    }
    copy->move(pos());
    copy->refit();
    return copy;
}

void AutoSizeLabel::refit() {
    const QFont font = DesignFont(fontName_, pixelSize_, bold_, italic_);
    setFont(font);
    const QFontMetrics metrics(font);
    resize(metrics.horizontalAdvance(caption_), metrics.height());
    update();
}

void AutoSizeLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(ColorFromBgr(foreColor_));
    painter.drawText(0, QFontMetrics(font()).ascent(), caption_);
}

} // namespace quorix::ui
