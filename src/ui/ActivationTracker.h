#pragma once

namespace quorix::ui {

// Decides when the main window's activation event fires. It fires when the main window becomes
// active for the first time, and when it becomes active again after another of the program's
// forms (the second window) was active in between. Switching to another program and back, or
// closing a message box, does not fire it: the old toolkit raised it only for changes between
// the program's own forms.
class ActivationTracker {
public:
    // Where the keyboard focus went.
    enum class FocusTarget {
        MainWindow,
        OtherForm,   // another form of the program (the second window)
        OtherWindow, // another window of the program that is not a form (a message box)
        Nothing,     // no window of the program: another program is active
    };

    // Returns true when the main window's activation event must fire now.
    bool focusMovedTo(FocusTarget target);
    // The main window has been shown for a while and was never active: a compositor without a
    // keyboard (a kiosk's, a headless one) never activates it. Returns true when the activation
    // event must fire now, as the window is then as active as it will ever be.
    bool shownWithoutFocus();

private:
    bool mainWindowWasActive_ = false;
    bool otherFormWasActive_ = false;
};

} // namespace quorix::ui
