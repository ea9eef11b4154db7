#pragma once

#include "platform/WindowSystem.h"

#include <QPointer>
#include <QWidget>

namespace quorix {

// The window system on Qt. A window's handle is its native window id (what the media device
// looks up with QWidget::find); the update lock switches off the window's updates (and so its
// children's), which Qt restores with one repaint when the lock goes.
class QtWindowSystem final : public platform::WindowSystem {
public:
    std::int32_t windowHandle(QWidget& window) override;
    bool lockUpdates(QWidget& window) override;
    void unlockUpdates() override;
    void refreshNow(QWidget& window) override;
    void setFocus(QWidget& window) override;
    // Looks among the program's shown top-level windows; titles compare without regard to case.
    bool activateWindowTitled(std::string_view title) override;

private:
    QPointer<QWidget> locked_;
};

} // namespace quorix
