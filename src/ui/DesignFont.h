#pragma once

#include <QFont>
#include <QString>

namespace quorix::ui {

// Fonts named by the window designs ("Arial Black", "MS Sans Serif") are often not installed on
// Linux. DesignFont uses the named face when it is installed, else the closest installed one
// (DejaVu Sans, drawn at its heaviest weight for the heavy "Arial Black"), so every label still
// gets a font of the right size and character.
QFont DesignFont(const QString& face, int pixelSize, bool bold, bool italic);

// Font sizes are realised in whole pixels, as the old runtime's fonts were; a size read back is
// the realised one (9.75 points for a requested 10 at 96 DPI). Pixels are at least 1.
int FontPixelsForPoints(double points, double logicalDpi);
float FontPointsForPixels(int pixels, double logicalDpi);

} // namespace quorix::ui
