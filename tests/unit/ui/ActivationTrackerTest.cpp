#include "ui/ActivationTracker.h"

#include <gtest/gtest.h>

namespace quorix::ui {
namespace {

using Target = ActivationTracker::FocusTarget;
constexpr Target Main = Target::MainWindow;
constexpr Target Away = Target::Nothing;    // another program
constexpr Target Box = Target::OtherWindow; // a message box
constexpr Target Form = Target::OtherForm;  // the second window

// Whether each move of the focus fired, as a string of 0 and 1.
std::string Fired(ActivationTracker& tracker, std::initializer_list<Target> moves) {
    std::string fired;
    for (const Target target : moves) {
        fired += tracker.focusMovedTo(target) ? '1' : '0';
    }
    return fired;
}

// Fires on the first activation, and on the return from the second window (even when the user
// visited another program while it was open), once per return.
TEST(ActivationTracker, FiresOnFirstActivationAndAfterTheSecondWindowOnly) {
    ActivationTracker tracker;
    EXPECT_EQ(Fired(tracker, {Main, Away, Main, Box, Main, Form, Away, Form, Main, Away, Main}),
              "10000000100");
    ActivationTracker boxFirst;
    EXPECT_EQ(Fired(boxFirst, {Box, Away, Main}), "001");
}

// Without a keyboard a Wayland compositor never activates the window: it fires once all the same,
// and the focus arriving later does not fire it again; after a real activation it does not fire.
TEST(ActivationTracker, AWindowShownWithoutFocusFiresOnceOnly) {
    ActivationTracker unfocused;
    EXPECT_TRUE(unfocused.shownWithoutFocus());
    EXPECT_EQ(Fired(unfocused, {Main}), "0");
    EXPECT_FALSE(unfocused.shownWithoutFocus());
    ActivationTracker focused;
    EXPECT_EQ(Fired(focused, {Main}), "1");
    EXPECT_FALSE(focused.shownWithoutFocus());
}

} // namespace
} // namespace quorix::ui
