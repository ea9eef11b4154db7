#include "video/PlayVideo.h"

#include "platform/BasicNumber.h"
#include "ui/Form1.h"
#include "video/MousePointer.h"

#include <optional>
#include <string>
#include <string_view>

namespace quorix::video {
namespace {

// The main window's caption: the window to bring to the front once the clip runs.
constexpr std::string_view MainWindowTitle = "Quorix";

// A size of Picture1 in pixels of the given factor plus the overscan on both sides, worked out in
// single precision and rounded halves to even; no value when it is not a 32-bit number.
std::optional<std::int32_t> DestinationSize(std::int32_t twips, std::int16_t factor,
                                            std::int16_t overscan) {
    if (factor == 0) {
        return std::nullopt;
    }
    const float pixels = static_cast<float>(twips) / static_cast<float>(factor) +
                         2.0F * static_cast<float>(overscan);
    return platform::RoundToInt32(static_cast<double>(pixels));
}

} // namespace

std::int32_t PlayVideo(program::Program& program) {
    program::ProgramState& state = program.state;
    ui::Form1& form = program.form;
    platform::WindowSystem& windows = program.services.windows;
    platform::EventPump& events = program.services.events;
    program::ContinueOnFailure run(program.channel);
    std::int32_t code = 0;
    std::int32_t result = 0;

    // The same horizontal factor divides both sizes.
    std::int16_t factor = 0;
    if (const auto rounded = platform::RoundToInt16(program.services.screen.twipsPerPixelX())) {
        factor = *rounded;
    } else {
        run.Trap();
    }
    const std::int32_t handle = windows.windowHandle(*form.Picture1);

    const std::int16_t overscan = state.Settings.Overscan;
    const std::int32_t left = -static_cast<std::int32_t>(overscan);
    const std::int32_t top = left;
    std::int32_t width = 0;
    std::int32_t height = 0;
    if (const auto size = DestinationSize(form.twips().width(*form.Picture1), factor, overscan)) {
        width = *size;
    } else {
        run.Trap();
    }
    if (const auto size = DestinationSize(form.twips().height(*form.Picture1), factor, overscan)) {
        height = *size;
    } else {
        run.Trap();
    }

    // No drawing in Picture1 until the device draws there; released below on every path.
    windows.lockUpdates(*form.Picture1);
    run.Send("window video handle " + std::to_string(handle), code);
    events.processPendingEvents();
    run.Send("put video destination at " + std::to_string(left) + " " + std::to_string(top) + " " +
                 std::to_string(width) + " " + std::to_string(height),
             code);
    events.processPendingEvents();

    run.Send("play video", code);
    if (run.Check(program::trouble::Playing1, code)) {
        result = -1;
    } else {
        events.processPendingEvents();
        state.PlayState = program::PlayState::Playing;
        HideMouse(program);
    }

    windows.unlockUpdates();
    windows.refreshNow(form);
    windows.setFocus(form);
    // The program may not be the foreground application; if no window carries the title the clip
    // plays all the same.
    windows.activateWindowTitled(MainWindowTitle);
    return result;
}

} // namespace quorix::video
