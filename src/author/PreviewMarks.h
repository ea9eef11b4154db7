#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

namespace quorix::author {

// The guides' colours, named in the legend beside the preview.
inline constexpr QRgb WideGuideColour = qRgb(0, 200, 255);
inline constexpr QRgb NarrowGuideColour = qRgb(255, 200, 0);
inline constexpr QRgb OverscanGuideColour = qRgb(255, 60, 60);

// Guides drawn over a preview of the whole screen:
// - aspect: the largest 16:9 and 4:3 areas centred on the screen, where a picture of that shape
//   would lie (dashed);
// - overscan: the edge of the menu area moved in by `overscan` pixels on every side, the part of
//   the picture a clip loses past the area's edges (dotted; outward for a negative value).
QImage MarkPreview(const QImage& screen, const QRect& area, int overscan, bool aspect,
                   bool overscanEdge);

// The largest rectangle of the shape width:height centred in `bounds`.
QRect CentredShape(const QRect& bounds, int width, int height);

} // namespace quorix::author
