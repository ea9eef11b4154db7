#pragma once

#include <QColor>
#include <QPalette>

namespace quorix::author {

// The contrast ratio of two colours as readability guidelines measure it: from 1 (the same
// luminance) to 21 (black on white). Body text wants at least 4.5.
double ContrastRatio(const QColor& a, const QColor& b);

// A colour for help text on the palette's window background, quieter than the ordinary text but
// still of a contrast of at least 4.5 to the background.
QColor HelpTextColour(const QPalette& palette);

} // namespace quorix::author
