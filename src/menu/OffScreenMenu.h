#pragma once

#include "platform/PathResolver.h"
#include "platform/ProfileReader.h"
#include "program/ClipCatalogue.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <memory>
#include <string>
#include <vector>

namespace quorix::menu {

// The menu screen of a media folder as the presenter lays it out on a screen of a given size, at
// 96 dots per inch (15 twips a pixel), on a main window that is never shown: start-up's reading
// of the settings file, then, when an entry is playable, the backdrop as activation draws it and,
// with menumode 1, the menu of titles. Nothing plays, waits, asks or ends. Needs the Qt
// application.
class OffScreenMenu {
public:
    OffScreenMenu(platform::ProfileReader& profile, const platform::PathResolver& paths,
                  const std::string& mediaPath, QSize screen);
    ~OffScreenMenu();
    OffScreenMenu(const OffScreenMenu&) = delete;
    OffScreenMenu& operator=(const OffScreenMenu&) = delete;

    // False when menumode is not 1 or no entry is playable.
    bool menuShown() const;
    const program::ClipCatalogue& catalogue() const;
    // The menu and video area (the 16:9 band or the whole screen), in screen pixels.
    QRect area() const;
    // Each title's place in screen pixels, in menu order; empty unless the menu is shown.
    std::vector<QRect> titles() const;
    // Moves the highlight to entry `index` of the shown menu; other indexes change nothing.
    void highlight(int index);
    // The whole screen as drawn.
    QImage picture() const;

private:
    struct Presenter;
    std::unique_ptr<Presenter> presenter_;
};

} // namespace quorix::menu
