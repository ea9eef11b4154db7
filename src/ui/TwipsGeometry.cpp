#include "ui/TwipsGeometry.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace quorix::ui {

namespace {

constexpr double TwipsPerInch = 1440.0;

// Halves go to the even neighbour, as the old runtime's conversions to whole numbers do.
double RoundHalfEven(double value) {
    const double nearest = std::round(value); // halves away from zero
    if (std::fabs(value - std::trunc(value)) == 0.5) {
        return 2.0 * std::round(value / 2.0);
    }
    return nearest;
}

int ToPixels(double twips, int twipsPerPixel) {
    if (std::isnan(twips)) {
        return 0;
    }
    const double pixels = RoundHalfEven(twips / twipsPerPixel);
    const double limit = QWIDGETSIZE_MAX;
    return static_cast<int>(std::clamp(pixels, -limit, limit));
}

} // namespace

TwipsGeometry::TwipsGeometry(int twipsPerPixelX, int twipsPerPixelY)
    : twipsPerPixelX_(std::max(1, twipsPerPixelX)), twipsPerPixelY_(std::max(1, twipsPerPixelY)) {}

int TwipsGeometry::TwipsPerPixelForDpi(double logicalDotsPerInch) {
    if (!(logicalDotsPerInch > 0.0)) {
        return 15;
    }
    return std::max(1, static_cast<int>(TwipsPerInch / logicalDotsPerInch));
}

TwipsGeometry TwipsGeometry::ForScreen(const QScreen* screen) {
    if (screen == nullptr) {
        return TwipsGeometry(15, 15);
    }
    return TwipsGeometry(TwipsPerPixelForDpi(screen->logicalDotsPerInchX()),
                         TwipsPerPixelForDpi(screen->logicalDotsPerInchY()));
}

int TwipsGeometry::pixelsX(double twips) const {
    return ToPixels(twips, twipsPerPixelX_);
}
int TwipsGeometry::pixelsY(double twips) const {
    return ToPixels(twips, twipsPerPixelY_);
}

std::int32_t TwipsGeometry::left(const QWidget& widget) const {
    return twipsX(widget.x());
}
std::int32_t TwipsGeometry::top(const QWidget& widget) const {
    return twipsY(widget.y());
}
std::int32_t TwipsGeometry::width(const QWidget& widget) const {
    return twipsX(widget.width());
}
std::int32_t TwipsGeometry::height(const QWidget& widget) const {
    return twipsY(widget.height());
}

void TwipsGeometry::setLeft(QWidget& widget, double twips) const {
    widget.move(pixelsX(twips), widget.y());
}

void TwipsGeometry::setTop(QWidget& widget, double twips) const {
    widget.move(widget.x(), pixelsY(twips));
}

void TwipsGeometry::setWidth(QWidget& widget, double twips) const {
    widget.resize(std::max(0, pixelsX(twips)), widget.height());
}

void TwipsGeometry::setHeight(QWidget& widget, double twips) const {
    widget.resize(widget.width(), std::max(0, pixelsY(twips)));
}

void TwipsGeometry::place(QWidget& widget, double left, double top, double width,
                          double height) const {
    widget.setGeometry(pixelsX(left), pixelsY(top), std::max(0, pixelsX(width)),
                       std::max(0, pixelsY(height)));
}

} // namespace quorix::ui
