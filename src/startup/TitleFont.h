#pragma once

#include "program/Program.h"

namespace quorix {

// The largest title font that is reached by growing it in 2-point steps from 6 points until the
// first title takes more than 1000 / FontFactor of the screen width. Sets the size on clip(0)
// and copies it to Shadow(0).
void SizeTitleFont(Program& program);

// Applies the keys "color", "bold" and "italic" of [font] to clip(0) and Shadow(0), and derives
// the highlight colour from the font colour where none was chosen.
void ApplyFontKeys(Program& program);

} // namespace quorix
