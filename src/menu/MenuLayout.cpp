#include "menu/MenuLayout.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorix::menu {
namespace {

std::int32_t WholeNumber(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    // nearbyint rounds halves to even in the default rounding mode, which nothing here changes.
    const double rounded = std::nearbyint(value);
    return static_cast<std::int32_t>(
        std::clamp(rounded, static_cast<double>(std::numeric_limits<std::int32_t>::min()),
                   static_cast<double>(std::numeric_limits<std::int32_t>::max())));
}

// Down to a whole number of pixels, dropping the fraction toward zero as integer division does.
std::int32_t SnapToPixels(std::int64_t twips, std::int32_t px) {
    const std::int64_t pixel = std::max<std::int32_t>(1, px);
    return WholeNumber(static_cast<double>(twips / pixel * pixel));
}

} // namespace

std::int32_t LinePitch(std::int32_t entryHeight, float lineOffset) {
    // Single precision, as the label height and the setting are kept.
    return WholeNumber(static_cast<double>(static_cast<float>(entryHeight) * lineOffset));
}

std::int32_t MenuTop(std::int32_t areaHeight, std::int32_t lineCount, std::int32_t pitch) {
    const std::int64_t block = static_cast<std::int64_t>(lineCount) * pitch;
    return WholeNumber(areaHeight / 2.0 - static_cast<double>(block) / 2.0);
}

std::int32_t AutomaticLeft(std::int32_t areaWidth, std::int32_t entryWidth, std::int32_t px) {
    return SnapToPixels(WholeNumber(areaWidth / 2.0 - entryWidth / 2.0), px);
}

std::int32_t AutomaticTop(std::int32_t index, std::int32_t pitch, std::int32_t menuTop,
                          std::int32_t px) {
    return SnapToPixels(static_cast<std::int64_t>(index) * pitch + menuTop, px);
}

float ExplicitPosition(std::int32_t areaSize, std::int32_t placing) {
    return static_cast<float>(static_cast<double>(areaSize) / placing * 1000.0);
}

} // namespace quorix::menu
