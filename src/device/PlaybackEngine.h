#pragma once

#include "device/FrameClock.h"
#include "device/MciCommand.h"

#include <cstdint>
#include <memory>
#include <string>

namespace quorix::device {

// What the engine learnt about a clip when it loaded it.
struct ClipInfo {
    FrameClock frames{25.0, 0};
    std::int32_t width = 0; // native picture size in pixels
    std::int32_t height = 0;
};

// One clip loaded in the playback engine. Times are seconds from the clip's first video frame.
// Only loading may wait for the engine; every other call returns at once.
class ClipPlayer {
public:
    virtual ~ClipPlayer() = default;

    virtual const ClipInfo& info() const = 0;
    // Plays with sound from the picture at time from (the one shown, or just sought) until
    // endTime, where it holds the last picture.
    virtual void play(double from, double endTime) = 0;
    // Stops where it is and keeps the picture.
    virtual void hold() = 0;
    // Shows the frame at time exactly and holds there; a time at or past the last frame shows
    // the last frame.
    virtual void seek(double time) = 0;
    // The time of the picture shown; after a seek, the seek's target until its frame is shown.
    virtual double position() = 0;
    // Whether playback has reached its end time (or the clip's end) since play().
    virtual bool reachedEnd() = 0;
    // Shows the picture inside the window with this native handle, or in the player's own
    // window for 0. False when the handle names no window of this program.
    virtual bool showIn(std::uint64_t windowHandle) = 0;
    // Client size of the window the picture is shown in.
    virtual Rect hostArea() = 0;
    // Where the picture goes, in client pixels of that window; stretched to fill it exactly.
    virtual void setDestination(const Rect& destination) = 0;
    // The picture at its native size in the top left corner of the window it was just given.
    // An engine may leave a picture larger than that window unseen until it is played, sought
    // or placed again: a destination of the caller's own usually follows at once.
    virtual void setNativeDestination(const Rect& destination) { setDestination(destination); }
};

// Loads clips. A load that fails answers the MCI code: 296 for a file that holds no playable
// video, 282 for a clip too long to count in 32-bit frames and milliseconds, 277 when the engine
// cannot be started or does not finish loading in time.
class PlaybackEngine {
public:
    struct Loaded {
        std::unique_ptr<ClipPlayer> player;
        std::int32_t code = 0;
    };

    virtual ~PlaybackEngine() = default;
    virtual Loaded load(const std::string& hostPath) = 0;
};

} // namespace quorix::device
