#pragma once

#include <Qt>
#include <optional>

namespace quorix::ui {

// The pointer shape that the program sets over all of its windows, on Qt's override-cursor
// stack: the screen's pointer (the hourglass around slow steps) and the hidden pointer during
// playback. Both are states, not pushes: setting the same state again changes nothing. Hidden
// wins over the screen's pointer. This object keeps at most one entry on Qt's stack, and takes
// it off when it goes; nothing else in the program uses that stack.
class OverrideCursor {
public:
    OverrideCursor() = default;
    OverrideCursor(const OverrideCursor&) = delete;
    OverrideCursor& operator=(const OverrideCursor&) = delete;
    ~OverrideCursor();

    // No value: each window and control shows its own pointer.
    void setScreenPointer(std::optional<Qt::CursorShape> shape);
    void setHidden(bool hidden);

    // What is on Qt's stack for the program now; no value when nothing is.
    std::optional<Qt::CursorShape> shown() const { return shown_; }

private:
    void apply();

    std::optional<Qt::CursorShape> screenPointer_;
    bool hidden_ = false;
    std::optional<Qt::CursorShape> shown_;
};

} // namespace quorix::ui
