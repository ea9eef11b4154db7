#include "ui/ActivationTracker.h"

#include <gtest/gtest.h>

namespace quorix {
namespace {

using Target = ActivationTracker::FocusTarget;

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
