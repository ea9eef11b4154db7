#pragma once

#include "platform/Screen.h"
#include "ui/OverrideCursor.h"
#include "ui/TwipsGeometry.h"

#include <QPointer>
#include <QWidget>

namespace quorix::ui {

// The screen on Qt: the size of the screen that shows the given window (the primary screen when
// there is none), in twips with the program's twips per pixel, and the application-wide pointer.
// Pointer values are the old toolkit's (0 default, 1 arrow, 11 hourglass, 13 arrow and
// hourglass ...); setting one is a state, so setting 11 twice and 0 once gives the default
// pointer back. A value without a shape of its own (99, custom, or an unknown number) is kept
// and read back but leaves each control's own pointer.
class QtScreen final : public platform::Screen {
public:
    QtScreen(const TwipsGeometry& twips, OverrideCursor& cursor, const QWidget* window = nullptr);

    int widthTwips() const override;
    int heightTwips() const override;
    int twipsPerPixelX() const override { return twips_.twipsPerPixelX(); }
    int twipsPerPixelY() const override { return twips_.twipsPerPixelY(); }
    void setMousePointer(int pointer) override;
    int mousePointer() const override { return pointer_; }

private:
    TwipsGeometry twips_;
    OverrideCursor& cursor_;
    QPointer<const QWidget> window_;
    int pointer_ = 0;
};

} // namespace quorix::ui
