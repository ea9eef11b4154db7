#pragma once

#include <QScrollBar>

namespace quorix::ui {

// A horizontal scroll bar with the two events the old toolkit raised. Change: once for each
// change of the value that is not a drag step (arrow or track click, wheel, a write to the
// value, a change of range that moves the value) and once when a dragged thumb is released.
// Scroll: for each change of the value while the thumb is dragged; the value is already the new
// one when it fires. The value, range and steps are the QScrollBar's (32-bit).
class HScrollBar : public QScrollBar {
    Q_OBJECT

public:
    explicit HScrollBar(QWidget* parent);

signals:
    void change();
    void scroll();
};

} // namespace quorix::ui
