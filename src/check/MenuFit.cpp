#include "check/MenuFit.h"

#include "check/CheckText.h"
#include "menu/OffScreenMenu.h"

namespace quorix::check {
namespace {

// "12 pixels past the bottom", and further edges joined with "and".
std::string Overruns(const QRect& title, const QRect& area) {
    std::vector<std::string> edges;
    auto edge = [&](int pixels, const char* name) {
        if (pixels > 0) {
            edges.push_back(std::to_string(pixels) + (pixels == 1 ? " pixel" : " pixels") +
                            " past the " + name);
        }
    };
    edge(area.top() - title.top(), "top");
    edge(title.bottom() - area.bottom(), "bottom");
    edge(area.left() - title.left(), "left");
    edge(title.right() - area.right(), "right");
    std::string text;
    for (std::size_t i = 0; i < edges.size(); ++i) {
        text += (i == 0 ? "" : " and ") + edges[i];
    }
    return text;
}

} // namespace

std::vector<std::string> MenuFitProblems(platform::ProfileReader& profile,
                                         const platform::PathResolver& paths,
                                         const std::string& mediaPath, ScreenSize screen) {
    const menu::OffScreenMenu menu(profile, paths, mediaPath, QSize(screen.width, screen.height));
    const QRect area = menu.area();
    const std::vector<QRect> titles = menu.titles();
    const std::string where =
        "on a " + std::to_string(screen.width) + "x" + std::to_string(screen.height) + " screen";
    std::vector<std::string> problems;
    for (std::size_t i = 0; i < titles.size(); ++i) {
        if (area.contains(titles[i])) {
            continue;
        }
        problems.push_back(IndexedKey("clip", static_cast<int>(i)) + " " +
                           QuotedTitle(menu.catalogue().ClipTitles[i]) + ": " + where +
                           " the title runs " + Overruns(titles[i], area) + " of the menu area");
    }
    return problems;
}

} // namespace quorix::check
