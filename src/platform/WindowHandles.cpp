#include "platform/WindowHandles.h"

#include <QApplication>
#include <QVariant>
#include <QWidget>

namespace quorix::platform {

QWidget* FindWindowByHandle(std::uint64_t handle) {
    if (handle == 0) {
        return nullptr;
    }
    for (QWidget* widget : QApplication::allWidgets()) {
        const QVariant given = widget->property(PaintedWindowHandleProperty);
        if (given.isValid() && given.toULongLong() == handle) {
            return widget;
        }
    }
    return QWidget::find(static_cast<WId>(handle));
}

} // namespace quorix::platform
