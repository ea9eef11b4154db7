#pragma once

#include "program/Program.h"

namespace quorix::startup {

// The largest title font that is reached by growing it in 2-point steps from 6 points until the
// first title takes more than 1000 / FontFactor of the screen width. Sets the size on clip(0)
// and copies it to Shadow(0).
void SizeTitleFont(program::Program& program);

// Reads the keys of [font] that colour and style the titles and applies them to clip(0) and
// Shadow(0); a font colour derives the highlight colour where none was chosen.
void ApplyFontKeys(program::Program& program);

} // namespace quorix::startup
