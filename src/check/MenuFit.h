#pragma once

#include "platform/PathResolver.h"
#include "platform/ProfileReader.h"

#include <string>
#include <vector>

namespace quorix::check {

// A screen the menu is laid out for, in pixels, at 96 dots per inch (15 twips a pixel).
struct ScreenSize {
    int width = 1024;
    int height = 768;
};

// Titles of the menu that do not lie wholly inside the menu area on a screen of the given size,
// one line each with the edges they run past. The presenter's own start-up and menu routines
// size the title font, place the menu area and lay the titles out on a main window of that size
// that is never shown, so the answer is what a viewer would see. Only a shown menu (menumode 1)
// can have such titles. Needs the Qt application.
std::vector<std::string> MenuFitProblems(platform::ProfileReader& profile,
                                         const platform::PathResolver& paths,
                                         const std::string& mediaPath, ScreenSize screen);

} // namespace quorix::check
