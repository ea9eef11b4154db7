#pragma once

#include "platform/WindowHandles.h"
#include "platform/WindowSystem.h"

#include <QPointer>
#include <QWidget>

namespace quorix::ui {

// The window system on Qt. A window's handle is its native window id, or with painted handles a
// number of its own (see platform::WindowHandles), never making the window native; the update lock
// switches off the window's updates (and so its children's), which Qt restores with one repaint
// when the lock goes.
class QtWindowSystem final : public platform::WindowSystem {
public:
    explicit QtWindowSystem(platform::WindowHandles handles = platform::WindowHandles::Native)
        : handles_(handles) {}

    std::int32_t windowHandle(QWidget& window) override;
    bool lockUpdates(QWidget& window) override;
    void unlockUpdates() override;
    void refreshNow(QWidget& window) override;
    void setFocus(QWidget& window) override;
    // Looks among the program's shown top-level windows; titles compare without regard to case.
    bool activateWindowTitled(std::string_view title) override;

private:
    platform::WindowHandles handles_;
    std::int32_t lastPaintedHandle_ = 0;
    QPointer<QWidget> locked_;
};

} // namespace quorix::ui
