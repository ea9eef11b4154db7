#include "ui/DesignFont.h"

#include <QFontDatabase>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace quorix::ui {

namespace {

struct Fallback {
    const char* face;
    const char* families[2];
    bool heavy; // the face itself is a heavy weight, so its stand-in is drawn heavy too
};

constexpr Fallback Fallbacks[] = {
    {"Arial Black", {"DejaVu Sans", "Liberation Sans"}, true},
    {"MS Sans Serif", {"DejaVu Sans", "Liberation Sans"}, false},
    {"Arial", {"Liberation Sans", "DejaVu Sans"}, false},
};

constexpr int LargestPixelSize = 2880; // 2160 points at 96 DPI, the old runtime's limit

bool IsInstalled(const QString& face) {
    return QFontDatabase::families().contains(face, Qt::CaseInsensitive);
}

} // namespace

QFont DesignFont(const QString& face, int pixelSize, bool bold, bool italic) {
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    bool heavy = false;
    if (face.isEmpty() || IsInstalled(face)) {
        font.setFamilies({face.isEmpty() ? QStringLiteral("DejaVu Sans") : face});
    } else {
        QStringList families;
        for (const Fallback& fallback : Fallbacks) {
            if (face.compare(QLatin1String(fallback.face), Qt::CaseInsensitive) == 0) {
                families << QString::fromLatin1(fallback.families[0])
                         << QString::fromLatin1(fallback.families[1]);
                heavy = fallback.heavy;
            }
        }
        families << face << QStringLiteral("DejaVu Sans");
        font.setFamilies(families);
    }
    font.setPixelSize(std::clamp(pixelSize, 1, LargestPixelSize));
    font.setWeight(heavy ? QFont::Black : (bold ? QFont::Bold : QFont::Normal));
    font.setItalic(italic);
    return font;
}

int FontPixelsForPoints(double points, double logicalDpi) {
    if (!(points > 0.0) || !(logicalDpi > 0.0)) {
        return 1;
    }
    const double pixels = points * logicalDpi / 72.0;
    const double rounded = std::fabs(pixels - std::trunc(pixels)) == 0.5
                               ? 2.0 * std::round(pixels / 2.0)
                               : std::round(pixels);
    return static_cast<int>(std::clamp(rounded, 1.0, static_cast<double>(LargestPixelSize)));
}

float FontPointsForPixels(int pixels, double logicalDpi) {
    if (!(logicalDpi > 0.0)) {
        return static_cast<float>(pixels);
    }
    return static_cast<float>(pixels * 72.0 / logicalDpi);
}

} // namespace quorix::ui
