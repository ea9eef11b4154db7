#pragma once

#include "author/IniDocument.h"
#include "platform/PathResolver.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <string>
#include <vector>

namespace quorix::author {

// The menu screen of a disc as the presenter will draw it on a screen of a given size.
struct MenuPicture {
    QImage image;              // the whole screen
    QRect area;                // the menu and video area on it (16:9 band or the whole screen)
    std::vector<QRect> titles; // each title's place on the screen, in menu order
    bool menuShown = false;    // false: menumode is not 1, or there is no playable entry
    std::vector<std::string> problems; // titles that lie wholly or partly off the screen
};

// Draws the menu off-screen with the presenter's own routines: its start-up (settings, title
// font, catalogue), its backdrop and its menu, on a main window of the given size at 15 twips per
// pixel, with the highlight on entry `selected`. The settings come from the document, the
// pictures from the media folder `mediaPath` (a program path ending in its separator).
MenuPicture DrawMenu(const IniDocument& document, const std::string& mediaPath,
                     const platform::PathResolver& paths, QSize screen, int selected);

} // namespace quorix::author
