#pragma once

#include <cstdint>

class QScreen;
class QWidget;

namespace quorix::ui {

// Control positions and sizes are kept in twips (1/1440 inch), as the window designs and the
// routines compute them; Qt places widgets in whole logical pixels. This is the one place that
// converts between the two, with the screen's twips per pixel: a value written in twips lands on
// the nearest whole pixel (halves to even), so what is read back is that pixel count times the
// twips per pixel.
class TwipsGeometry {
public:
    // Values below 1 are taken as 1.
    TwipsGeometry(int twipsPerPixelX, int twipsPerPixelY);

    // 1440 / dots per inch, truncated: 15 at 96 DPI, 12 at 120, 7 at 192. At least 1.
    static int TwipsPerPixelForDpi(double logicalDotsPerInch);
    // Twips per pixel of a screen from its logical DPI; 15 (96 DPI) when there is no screen.
    static TwipsGeometry ForScreen(const QScreen* screen);

    int twipsPerPixelX() const { return twipsPerPixelX_; }
    int twipsPerPixelY() const { return twipsPerPixelY_; }

    // Twips to whole pixels, halves to even. A value that is not a number gives 0; values beyond
    // what a widget can take are clamped to it.
    int pixelsX(double twips) const;
    int pixelsY(double twips) const;
    std::int32_t twipsX(int pixels) const { return pixels * twipsPerPixelX_; }
    std::int32_t twipsY(int pixels) const { return pixels * twipsPerPixelY_; }

    // A widget's position (relative to its parent, or the screen for a window) and size.
    std::int32_t left(const QWidget& widget) const;
    std::int32_t top(const QWidget& widget) const;
    std::int32_t width(const QWidget& widget) const;
    std::int32_t height(const QWidget& widget) const;

    // Sizes below 0 are taken as 0.
    void setLeft(QWidget& widget, double twips) const;
    void setTop(QWidget& widget, double twips) const;
    void setWidth(QWidget& widget, double twips) const;
    void setHeight(QWidget& widget, double twips) const;
    void place(QWidget& widget, double left, double top, double width, double height) const;

private:
    int twipsPerPixelX_;
    int twipsPerPixelY_;
};

} // namespace quorix::ui
