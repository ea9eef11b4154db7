#include "author/MenuPreview.h"

#include "author/DocumentProfile.h"
#include "menu/OffScreenMenu.h"
#include "platform/TextDecoding.h"
#include "startup/MediaFolder.h"

namespace quorix::author {
namespace {

std::string OffScreenProblem(int index, const std::string& title, QSize screen, bool partly) {
    return "title " + std::to_string(index + 1) + " \"" +
           platform::DecodeDisplayText(title).toStdString() + "\" lies " +
           (partly ? "partly " : "") + "off the screen at " + std::to_string(screen.width()) + "x" +
           std::to_string(screen.height());
}

} // namespace

MenuPicture DrawMenu(const IniDocument& document, const std::string& mediaPath,
                     const platform::PathResolver& paths, QSize screen, int selected) {
    // Start-up finds the media folder from the current directory: a folder whose path holds
    // "quorix" is its own media folder. The document must lie where start-up will look for it.
    std::string folder = mediaPath;
    if (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) {
        folder.pop_back();
    }
    const std::string startupPath = startup::FindMediaPath(folder, "", '/');
    platform::MemoryProfileReader profile = DocumentProfile(document, startupPath);

    menu::OffScreenMenu menu(profile, paths, startupPath, screen);
    menu.highlight(selected);
    MenuPicture picture;
    picture.image = menu.picture();
    picture.area = menu.area();
    picture.menuShown = menu.menuShown();
    picture.titles = menu.titles();
    // A title shows only where it lies inside both the menu area and the screen.
    const QRect visible = picture.area.intersected(QRect(QPoint(0, 0), screen));
    for (std::size_t i = 0; i < picture.titles.size(); ++i) {
        const QRect& place = picture.titles[i];
        if (!visible.contains(place)) {
            picture.problems.push_back(OffScreenProblem(static_cast<int>(i),
                                                        menu.catalogue().ClipTitles[i], screen,
                                                        visible.intersects(place)));
        }
    }
    return picture;
}

} // namespace quorix::author
