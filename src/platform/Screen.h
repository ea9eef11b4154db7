#pragma once

namespace quorix::platform {

// The screen as the program sees it: size in twips, twips per pixel, and the application-wide
// mouse pointer (0 default, 11 hourglass).
class Screen {
public:
    virtual ~Screen() = default;
    virtual int widthTwips() const = 0;
    virtual int heightTwips() const = 0;
    virtual int twipsPerPixelX() const = 0;
    virtual int twipsPerPixelY() const = 0;
    virtual void setMousePointer(int pointer) = 0;
    virtual int mousePointer() const = 0;
};

} // namespace quorix::platform
