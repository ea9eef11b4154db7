#include "video/OpenVideo.h"

#include "device/MciElementName.h"
#include "device/MciErrors.h"
#include "ui/Form1.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace quorix::video {
namespace {

// The device's code for a device name it does not know: the platform cannot play this kind of
// file at all, which the second window tells the viewer.
constexpr std::int32_t UnknownDeviceName = 263;

// The open command for a file; no value when the path cannot be named in a command.
std::optional<std::string> OpenCommand(const std::string& path) {
    const auto element = device::MciElementName(path);
    if (!element) {
        return std::nullopt;
    }
    return "Open " + *element + " alias video";
}

} // namespace

std::int32_t OpenVideo(program::Program& program) {
    program::ProgramState& state = program.state;
    platform::EventPump& events = program.services.events;
    platform::Screen& screen = program.services.screen;
    program::MciChannel& channel = program.channel;
    program::ContinueOnFailure run(channel);
    std::int32_t code = 0;

    std::string file;
    const int entry = state.CurrentClip - 1;
    if (entry >= 0 && entry < program::ClipCatalogue::Slots) {
        file = state.Catalogue.ClipFiles[static_cast<std::size_t>(entry)];
    } else {
        run.Trap(); // no such catalogue entry: the file name stays empty
    }

    const std::string path = state.MediaPath + file;
    if (path.find('\0') != std::string::npos) {
        // No file name holds a NUL, and the device would read the name cut short at it: another
        // file than the settings name. Nothing is sent; the viewer hears of a missing file.
        code = device::error::FileNotFound;
    } else if (const std::optional<std::string> command = OpenCommand(path)) {
        run.Send(*command, code);
    } else {
        run.Trap(); // the send cannot be made: code keeps its value, as for a failed send
    }
    if (run.Failed()) {
        channel.ReportTrouble(program::trouble::Initializing0, code);
        return -1;
    }
    if (code == UnknownDeviceName) {
        screen.setMousePointer(0);
        program.services.dialogs.showSecondWindow();
        events.processPendingEvents();
        return -1;
    }
    if (code > 0) {
        channel.ReportTrouble(program::trouble::Initializing1, code);
        return -1;
    }

    events.processPendingEvents();
    screen.setMousePointer(11);
    run.Send("set video time format frames", code);
    events.processPendingEvents();

    run.Send("status video start position", code);
    if (run.Check(program::trouble::Initializing2, code)) {
        return -1;
    }
    run.ReadNumber(state.ClipStartFrame);
    events.processPendingEvents();

    run.Send("status video length", code);
    if (run.Check(program::trouble::Initializing3, code)) {
        return -1;
    }
    events.processPendingEvents();
    run.ReadNumber(state.ClipLength);

    const std::int64_t end = static_cast<std::int64_t>(state.ClipStartFrame) +
                             static_cast<std::int64_t>(state.ClipLength);
    if (end < std::numeric_limits<std::int32_t>::min() ||
        end > std::numeric_limits<std::int32_t>::max()) {
        run.Trap(); // ClipEndFrame keeps its old value
    } else {
        state.ClipEndFrame = static_cast<std::int32_t>(end);
    }
    // A length that could not be read or an end that does not fit leaves the clip's span
    // unknown; the clip must not play against the previous clip's end.
    if (run.Check(program::trouble::Initializing3, code)) {
        return -1;
    }

    // The bar's value is a frame number: it spans the whole clip, however long.
    program.form.HScroll1->setMinimum(state.ClipStartFrame);
    program.form.HScroll1->setMaximum(state.ClipEndFrame);
    return 0;
}

} // namespace quorix::video
