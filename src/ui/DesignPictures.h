#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace quorix::ui {

// The pictures that the window designs carry, built into the program as resources (drawn by
// scripts/make-ui-pictures.sh).
enum class DesignPicture {
    ButtonLeft,      // 20 x 27, grey left-pointing triangle
    ButtonReturn,    // 20 x 27, grey return arrow
    ButtonRight,     // 20 x 27, grey right-pointing triangle
    ButtonLeftHover, // the same three shapes in a lighter grey
    ButtonReturnHover,
    ButtonRightHover,
    Panel,      // 243 x 27, the position panel
    Logo,       // 300 x 250, the logo shown when the media folder has none
    CannotPlay, // 400 x 300, the second window's picture
};

// The picture's resource path (":/ui/...").
QString DesignPicturePath(DesignPicture picture);
QPixmap LoadDesignPicture(DesignPicture picture);
// The main window's icon, 32 x 32 and 16 x 16.
QIcon DesignIcon();
// The pointer over the menu titles, 32 x 32, hot spot at the fingertip.
QCursor MenuCursor();

} // namespace quorix::ui
