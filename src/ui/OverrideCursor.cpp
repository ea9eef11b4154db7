#include "ui/OverrideCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace quorix::ui {

OverrideCursor::~OverrideCursor() {
    if (shown_) {
        QGuiApplication::restoreOverrideCursor();
    }
}

void OverrideCursor::setScreenPointer(std::optional<Qt::CursorShape> shape) {
    screenPointer_ = shape;
    apply();
}

void OverrideCursor::setHidden(bool hidden) {
    hidden_ = hidden;
    apply();
}

void OverrideCursor::apply() {
    const std::optional<Qt::CursorShape> wanted =
        hidden_ ? std::optional<Qt::CursorShape>(Qt::BlankCursor) : screenPointer_;
    if (wanted == shown_) {
        return;
    }
    if (!wanted) {
        QGuiApplication::restoreOverrideCursor();
    } else if (shown_) {
        QGuiApplication::changeOverrideCursor(QCursor(*wanted));
    } else {
        QGuiApplication::setOverrideCursor(QCursor(*wanted));
    }
    shown_ = wanted;
}

} // namespace quorix::ui
