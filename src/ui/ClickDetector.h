#pragma once

#include <QMouseEvent>
#include <QWidget>

namespace quorix {

// A control's Click: the left button pressed on the control and released over it. The press of
// a double click does not count again, so a double click gives one Click, as in the old toolkit.
class ClickDetector {
public:
    void press(const QMouseEvent& event) { armed_ = event.button() == Qt::LeftButton; }
    void doubleClick() { armed_ = false; }
    // True when this release completes a click on the widget.
    bool release(const QWidget& widget, const QMouseEvent& event) {
        const bool click = armed_ && event.button() == Qt::LeftButton &&
                           widget.rect().contains(event.position().toPoint());
        if (event.button() == Qt::LeftButton) {
            armed_ = false;
        }
        return click;
    }

private:
    bool armed_ = false;
};

} // namespace quorix
