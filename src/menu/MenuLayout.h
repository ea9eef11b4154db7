#pragma once

#include <cstdint>

namespace quorix::menu {

// The arithmetic of the menu's placing, in twips. "Whole number" below means rounded to the
// nearest integer with halves to even, as the old runtime's conversions do; results that do not
// fit 32 bits are held at the nearest 32-bit value (the old runtime stopped on them instead).

// Distance between the tops of two menu lines: the whole number of the entry height times the
// line offset (1.5: one and a half label heights).
std::int32_t LinePitch(std::int32_t entryHeight, float lineOffset);

// Top of the first line, so that lineCount lines of the given pitch are centred vertically in an
// area areaHeight high.
std::int32_t MenuTop(std::int32_t areaHeight, std::int32_t lineCount, std::int32_t pitch);

// Automatic layout: an entry entryWidth wide centred horizontally in an area areaWidth wide, and
// line `index` below the menu top; both snapped to whole pixels of px twips (toward zero).
std::int32_t AutomaticLeft(std::int32_t areaWidth, std::int32_t entryWidth, std::int32_t px);
std::int32_t AutomaticTop(std::int32_t index, std::int32_t pitch, std::int32_t menuTop,
                          std::int32_t px);

// Explicit layout: the area's size divided by a placing value in thousandths (2000 gives half
// the size, 4000 a quarter, 1000 the whole), not snapped. The placing value must not be 0.
float ExplicitPosition(std::int32_t areaSize, std::int32_t placing);

} // namespace quorix::menu
