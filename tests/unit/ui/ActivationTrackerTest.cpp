#include "ui/ActivationTracker.h"

#include <gtest/gtest.h>

namespace quorix {
namespace {

using Target = ActivationTracker::FocusTarget;

// Without a keyboard a Wayland compositor never activates the window: it fires once all the same,
// and the focus arriving later does not fire it again; after a real activation it does not fire.
TEST(ActivationTracker, AWindowShownWithoutFocusFiresOnceOnly) {
    ActivationTracker unfocused;
    EXPECT_TRUE(unfocused.shownWithoutFocus());
    EXPECT_FALSE(unfocused.focusMovedTo(Target::MainWindow));
    EXPECT_FALSE(unfocused.shownWithoutFocus());

    ActivationTracker focused;
    EXPECT_TRUE(focused.focusMovedTo(Target::MainWindow));
    EXPECT_FALSE(focused.shownWithoutFocus());
}

TEST(ActivationTracker, FiresOnFirstActivationAndAfterTheSecondWindowOnly) {
    ActivationTracker tracker;
    EXPECT_TRUE(tracker.focusMovedTo(Target::MainWindow)); // first show

    // Another program and back.
    EXPECT_FALSE(tracker.focusMovedTo(Target::Nothing));
    EXPECT_FALSE(tracker.focusMovedTo(Target::MainWindow));

    // A message box and back.
    EXPECT_FALSE(tracker.focusMovedTo(Target::OtherWindow));
    EXPECT_FALSE(tracker.focusMovedTo(Target::MainWindow));

    // The second window closes, even when the user visited another program while it was open.
    EXPECT_FALSE(tracker.focusMovedTo(Target::OtherForm));
    EXPECT_FALSE(tracker.focusMovedTo(Target::Nothing));
    EXPECT_FALSE(tracker.focusMovedTo(Target::OtherForm));
    EXPECT_TRUE(tracker.focusMovedTo(Target::MainWindow));

    // Only once per return.
    EXPECT_FALSE(tracker.focusMovedTo(Target::Nothing));
    EXPECT_FALSE(tracker.focusMovedTo(Target::MainWindow));
}

TEST(ActivationTracker, FirstActivationAfterAMessageBoxStillFires) {
    ActivationTracker tracker;
    EXPECT_FALSE(tracker.focusMovedTo(Target::OtherWindow));
    EXPECT_FALSE(tracker.focusMovedTo(Target::Nothing));
    EXPECT_TRUE(tracker.focusMovedTo(Target::MainWindow));
}

} // namespace
} // namespace quorix
