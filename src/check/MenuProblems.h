#pragma once

#include "program/ClipCatalogue.h"
#include "program/SettingsRecord.h"

#include <string>
#include <vector>

namespace quorix::check {

// Problems of the menu's settings, one line each. Only a menu that is shown (menumode 1) lays
// out its titles and starts with an intro, so other menu modes have none of these problems:
// - explicit layout (xpos00 not 0) with an xpos or ypos of 0 for a playable entry, a divisor of
//   0: that entry cannot be placed where the author meant it;
// - an intro that names an entry beyond the catalogue: the intro cannot be opened.
std::vector<std::string> MenuProblems(const program::SettingsRecord& settings,
                                      const program::ClipCatalogue& catalogue);

} // namespace quorix::check
