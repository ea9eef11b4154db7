#include "ui/QtWindowSystem.h"

#include <QApplication>
#include <QString>
#include <QVariant>

namespace quorix::ui {

std::int32_t QtWindowSystem::windowHandle(QWidget& window) {
    if (handles_ == platform::WindowHandles::Painted) {
        const QVariant given = window.property(platform::PaintedWindowHandleProperty);
        if (given.isValid()) {
            return given.toInt();
        }
        window.setProperty(platform::PaintedWindowHandleProperty, ++lastPaintedHandle_);
        return lastPaintedHandle_;
    }
    // Native ids are 32-bit on X11 and Windows; commands carry them as signed 32-bit numbers.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(window.winId()));
}

bool QtWindowSystem::lockUpdates(QWidget& window) {
    if (locked_ != nullptr && locked_ != &window) {
        return false;
    }
    window.setUpdatesEnabled(false);
    locked_ = &window;
    return true;
}

void QtWindowSystem::unlockUpdates() {
    if (locked_ != nullptr) {
        locked_->setUpdatesEnabled(true);
    }
    locked_ = nullptr;
}

void QtWindowSystem::refreshNow(QWidget& window) {
    window.repaint();
}

void QtWindowSystem::setFocus(QWidget& window) {
    window.setFocus(Qt::OtherFocusReason);
}

bool QtWindowSystem::activateWindowTitled(std::string_view title) {
    const QString wanted = QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()));
    QWidget* found = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isHidden()) {
            continue;
        }
        const QString caption = window->windowTitle();
        if (caption.compare(wanted, Qt::CaseInsensitive) == 0) {
            found = window;
            break;
        }
        if (found == nullptr && caption.startsWith(wanted, Qt::CaseInsensitive)) {
            found = window;
        }
    }
    if (found == nullptr) {
        return false;
    }
    found->raise();
    found->activateWindow();
    return true;
}

} // namespace quorix::ui
