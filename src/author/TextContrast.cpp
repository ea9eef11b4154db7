#include "author/TextContrast.h"

#include <algorithm>
#include <cmath>

namespace quorix::author {
namespace {

double Linear(double channel) {
    return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& colour) {
    return 0.2126 * Linear(colour.redF()) + 0.7152 * Linear(colour.greenF()) +
           0.0722 * Linear(colour.blueF());
}

constexpr double ReadableContrast = 4.5;

} // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
    const double first = Luminance(a);
    const double second = Luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QColor HelpTextColour(const QPalette& palette) {
    const QColor text = palette.color(QPalette::WindowText);
    const QColor background = palette.color(QPalette::Window);
    // From halfway towards the background back to the text colour, the first that reads well.
    for (int share = 50; share > 0; share -= 5) {
        const auto mix = [share](float from, float to) {
            return from + (to - from) * static_cast<float>(share) / 100.0F;
        };
        const QColor quiet = QColor::fromRgbF(mix(text.redF(), background.redF()),
                                              mix(text.greenF(), background.greenF()),
                                              mix(text.blueF(), background.blueF()));
        if (ContrastRatio(quiet, background) >= ReadableContrast) {
            return quiet;
        }
    }
    return text;
}

} // namespace quorix::author
