#include "check/MenuProblems.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace quorix::check {
namespace {

using ::testing::IsEmpty;

ClipCatalogue Catalogue(int entries) {
    ClipCatalogue catalogue;
    for (int i = 0; i < entries; ++i) {
        catalogue.ClipTitles[static_cast<std::size_t>(i)] = "T" + std::to_string(i);
        catalogue.ClipFiles[static_cast<std::size_t>(i)] = "t.mpg";
    }
    catalogue.LastClip = static_cast<std::int16_t>(entries - 1);
    return catalogue;
}

SettingsRecord Menu(std::int16_t introClip = 0) {
    SettingsRecord settings;
    settings.MenuMode = 1;
    settings.IntroClip = introClip;
    return settings;
}

TEST(MenuProblems, WithoutTheMenuTheseSettingsAreUnused) {
    ClipCatalogue catalogue = Catalogue(2);
    catalogue.ClipXPos = {2000, 0};
    for (const int mode : {0, 2}) {
        SettingsRecord settings = Menu(9);
        settings.MenuMode = static_cast<std::int16_t>(mode);
        EXPECT_THAT(MenuProblems(settings, catalogue), IsEmpty()) << "menumode " << mode;
    }
    // An empty catalogue is a problem of its own, not of the menu.
    EXPECT_THAT(MenuProblems(Menu(9), Catalogue(0)), IsEmpty());
}

} // namespace
} // namespace quorix::check
