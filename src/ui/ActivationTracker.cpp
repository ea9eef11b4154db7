#include "ui/ActivationTracker.h"

namespace quorix::ui {

bool ActivationTracker::focusMovedTo(FocusTarget target) {
    switch (target) {
    case FocusTarget::MainWindow: {
        const bool fire = !mainWindowWasActive_ || otherFormWasActive_;
        mainWindowWasActive_ = true;
        otherFormWasActive_ = false;
        return fire;
    }
    case FocusTarget::OtherForm:
        otherFormWasActive_ = true;
        return false;
    case FocusTarget::OtherWindow:
    case FocusTarget::Nothing:
        return false;
    }
    return false;
}

bool ActivationTracker::shownWithoutFocus() {
    if (mainWindowWasActive_) {
        return false;
    }
    mainWindowWasActive_ = true;
    return true;
}

} // namespace quorix::ui
