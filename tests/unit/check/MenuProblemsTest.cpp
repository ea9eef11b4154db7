#include "check/MenuProblems.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace quorix::check {
namespace {

using ::testing::IsEmpty;

// Without the menu, a layout and an intro that the menu could not use go unreported.
TEST(MenuProblems, WithoutTheMenuTheseSettingsAreUnused) {
    ClipCatalogue catalogue;
    catalogue.LastClip = 1;
    catalogue.ClipXPos = {2000, 0};
    SettingsRecord settings;
    settings.IntroClip = 9;
    for (const std::int16_t mode : {std::int16_t{0}, std::int16_t{2}}) {
        settings.MenuMode = mode;
        EXPECT_THAT(MenuProblems(settings, catalogue), IsEmpty()) << "menumode " << mode;
    }
    // An empty catalogue is a problem of its own, not of the menu.
    settings.MenuMode = 1;
    catalogue.LastClip = -1;
    EXPECT_THAT(MenuProblems(settings, catalogue), IsEmpty());
}

} // namespace
} // namespace quorix::check
