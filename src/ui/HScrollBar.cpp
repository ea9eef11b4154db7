#include "ui/HScrollBar.h"

namespace quorix::ui {

HScrollBar::HScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
    // The value follows the thumb while it is dragged, so Scroll handlers read the new value.
    setTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // Pointer moves over the bar are the bar's; they do not reach the panel that holds it.
    setAttribute(Qt::WA_NoMousePropagation);
    connect(this, &QAbstractSlider::valueChanged, this, [this] {
        if (isSliderDown()) {
            emit scroll();
        } else {
            emit change();
        }
    });
    connect(this, &QAbstractSlider::sliderReleased, this, &HScrollBar::change);
}

} // namespace quorix::ui
