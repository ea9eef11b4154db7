#include "check/MenuProblems.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace quorix::check {
namespace {

using ::testing::ElementsAre;
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

TEST(MenuProblems, ExplicitLayoutNeedsEveryPlacingValue) {
    ClipCatalogue catalogue = Catalogue(3);
    catalogue.ClipXPos = {2000, 3000, 4000};
    catalogue.ClipYPos = {2000, 3000, 4000};
    EXPECT_THAT(MenuProblems(Menu(), catalogue), IsEmpty());

    catalogue.ClipYPos[0] = 0;
    catalogue.ClipXPos[2] = 0;
    catalogue.ClipYPos[2] = 0;
    EXPECT_THAT(MenuProblems(Menu(), catalogue),
                ElementsAre("clip00 \"T0\": ypos00 is 0 or missing, a zero divisor in the "
                            "explicit layout that xpos00 2000 chooses",
                            "clip02 \"T2\": xpos02 and ypos02 are 0 or missing, a zero divisor "
                            "in the explicit layout that xpos00 2000 chooses"));

    // Slots past the catalogue are never placed.
    catalogue.ClipXPos[2] = 4000;
    catalogue.ClipYPos = {2000, 3000, 4000};
    catalogue.ClipXPos[3] = 0;
    EXPECT_THAT(MenuProblems(Menu(), catalogue), IsEmpty());
}

TEST(MenuProblems, AutomaticLayoutUsesNoDivisor) {
    ClipCatalogue catalogue = Catalogue(2);
    catalogue.ClipXPos = {0, 3000};
    EXPECT_THAT(MenuProblems(Menu(), catalogue), IsEmpty());
}

TEST(MenuProblems, TheIntroMustBeACatalogueEntry) {
    const ClipCatalogue catalogue = Catalogue(4);
    EXPECT_THAT(MenuProblems(Menu(0), catalogue), IsEmpty());
    EXPECT_THAT(MenuProblems(Menu(4), catalogue), IsEmpty());
    EXPECT_THAT(MenuProblems(Menu(5), catalogue),
                ElementsAre("intro 4 names entry 5, but the catalogue has 4 entries, so the "
                            "intro cannot play"));
    EXPECT_THAT(MenuProblems(Menu(3), Catalogue(1)),
                ElementsAre("intro 2 names entry 3, but the catalogue has 1 entry, so the "
                            "intro cannot play"));
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
