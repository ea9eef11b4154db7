#include "device/VideoMciDevice.h"

#include "device/MciErrors.h"
#include "device/MciExtensions.h"
#include "platform/Logging.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

namespace quorix::device {
namespace {

platform::MciReply fail(std::int32_t code) {
    return platform::MciReply{code, {}};
}
platform::MciReply done(std::string answer = {}) {
    return platform::MciReply{error::None, std::move(answer)};
}
platform::MciReply number(std::int64_t value) {
    return done(std::to_string(value));
}

} // namespace

VideoMciDevice::VideoMciDevice(PlaybackEngine& engine, const platform::PathResolver& paths)
    : engine_(engine), paths_(paths) {}

// Players go back to the engine before it is gone.
VideoMciDevice::~VideoMciDevice() {
    table_.clear();
}

std::optional<platform::MciReply> VideoMciDevice::send(std::string_view command) {
    auto line = splitCommand(command);
    if (!line.ok()) {
        return fail(line.code());
    }
    if (line.value().verb == MciVerb::Open) {
        return open(line.value());
    }
    if (line.value().verb == MciVerb::Close) {
        return close(line.value());
    }
    const std::string& name = line.value().name.text;
    if (lowerAscii(name) == "all") {
        return fail(error::CannotUseAll);
    }
    Table::Slot* slot = table_.find(name);
    if (slot == nullptr) {
        return fail(error::InvalidDeviceName);
    }
    return carryOut(line.value(), slot->entry);
}

bool VideoMciDevice::anyPlaying() {
    for (auto& slot : table_.entries()) {
        refresh(slot.entry);
        if (slot.entry.mode == Mode::Playing) {
            return true;
        }
    }
    return false;
}

platform::MciReply VideoMciDevice::open(const MciCommandLine& line) {
    // The device is chosen first, from a "type" word or else from the element's extension; its
    // options are read only then, so a path cut short at a blank is refused for its extension.
    const std::string& element = line.name.text;
    std::optional<std::string> type;
    for (std::size_t i = 0; i + 1 < line.options.size(); ++i) {
        if (lowerAscii(line.options[i].text) == "type") {
            type = lowerAscii(line.options[i + 1].text);
            break;
        }
    }
    if (type ? *type != "mpegvideo" : !opensVideoDevice(element)) {
        return fail(error::InvalidDeviceName);
    }
    auto options = parseOpenOptions(line.options);
    if (!options.ok()) {
        return fail(options.code());
    }
    const std::string alias = options.value().alias.value_or(element);
    if (lowerAscii(alias) == "all") {
        return fail(error::CannotUseAll);
    }
    if (table_.find(alias) != nullptr) {
        // Opening an element a second time under its own name is a different fault from
        // naming an alias that is taken.
        return fail(options.value().alias ? error::DuplicateAlias : error::DeviceOpen);
    }
    const std::string path = paths_.resolve(element);
    std::error_code failure;
    const auto kind = std::filesystem::status(path, failure).type();
    if (kind == std::filesystem::file_type::not_found) {
        return fail(error::FileNotFound);
    }
    if (kind != std::filesystem::file_type::regular) {
        qCInfo(platform::lcDevice) << path.c_str() << "is not a regular file: invalid file";
        return fail(error::InvalidFile);
    }
    PlaybackEngine::Loaded loaded = engine_.load(path);
    if (!loaded.player) {
        return fail(loaded.code != error::None ? loaded.code : error::Internal);
    }
    OpenClip clip;
    clip.player = std::move(loaded.player);
    clip.endTime = lengthTime(clip);
    const Rect native{0, 0, clip.player->info().width, clip.player->info().height};
    clip.destination = native;
    return number(table_.add(alias, std::move(clip)).id);
}

platform::MciReply VideoMciDevice::close(const MciCommandLine& line) {
    auto options = parsePlainOptions(line.options);
    const std::string& name = line.name.text;
    if (lowerAscii(name) == "all") {
        if (!options.ok()) {
            return fail(options.code());
        }
        table_.clear();
        return done();
    }
    if (table_.find(name) == nullptr) {
        return fail(error::InvalidDeviceName);
    }
    if (!options.ok()) {
        return fail(options.code());
    }
    table_.remove(name);
    return done();
}

platform::MciReply VideoMciDevice::carryOut(const MciCommandLine& line, OpenClip& clip) {
    switch (line.verb) {
    case MciVerb::Play: {
        auto options = parsePlayOptions(line.options);
        return options.ok() ? play(clip, options.value()) : fail(options.code());
    }
    case MciVerb::Pause:
    case MciVerb::Resume:
    case MciVerb::Stop: {
        auto options = parsePlainOptions(line.options);
        if (!options.ok()) {
            return fail(options.code());
        }
        refresh(clip);
        if (line.verb == MciVerb::Resume) {
            // Resuming picks up the interrupted play with its end; anything else is left be.
            if (clip.mode == Mode::Paused) {
                start(clip, currentTime(clip), clip.endTime);
            }
            return done();
        }
        if (clip.mode == Mode::Playing) {
            clip.player->hold();
        }
        clip.mode = line.verb == MciVerb::Pause ? Mode::Paused : Mode::Stopped;
        return done();
    }
    case MciVerb::Seek: {
        auto options = parseSeekOptions(line.options);
        return options.ok() ? seek(clip, options.value()) : fail(options.code());
    }
    case MciVerb::Set: {
        auto format = parseSetOptions(line.options);
        if (!format.ok()) {
            return fail(format.code());
        }
        clip.timeFormat = format.value();
        return done();
    }
    case MciVerb::Status: {
        auto item = parseStatusOptions(line.options);
        return item.ok() ? status(clip, item.value()) : fail(item.code());
    }
    case MciVerb::Window: {
        auto options = parseWindowOptions(line.options);
        return options.ok() ? window(clip, options.value()) : fail(options.code());
    }
    case MciVerb::Put: {
        auto options = parsePutOptions(line.options);
        return options.ok() ? put(clip, options.value()) : fail(options.code());
    }
    case MciVerb::Where: {
        auto item = parseWhereOptions(line.options);
        return item.ok() ? where(clip, item.value()) : fail(item.code());
    }
    case MciVerb::Open:
    case MciVerb::Close:
    case MciVerb::Unsupported:
        break;
    }
    return fail(error::UnsupportedFunction);
}

platform::MciReply VideoMciDevice::play(OpenClip& clip, const PlayOptions& options) {
    if (options.wait) {
        // A play that returns only at its end would hold the program's only thread; the device
        // plays in the background only.
        return fail(error::UnsupportedFunction);
    }
    refresh(clip);
    const std::int64_t length = fromTime(clip, lengthTime(clip));
    for (auto value : {options.from, options.to}) {
        if (value && (*value < 0 || *value > length)) {
            return fail(error::OutOfRange);
        }
    }
    if (!options.from && !options.to && clip.mode == Mode::Playing) {
        return done();
    }
    const bool atClipEnd = clip.atEndTime && clip.endTime >= lengthTime(clip);
    if (!options.from && atClipEnd) {
        // Nothing is left to play; it takes a seek or a "from" to play again.
        clip.mode = Mode::Stopped;
        return done();
    }
    const double from = options.from ? toTime(clip, *options.from) : currentTime(clip);
    const double end = options.to ? toTime(clip, *options.to) : lengthTime(clip);
    if (fromTime(clip, from) > fromTime(clip, end)) {
        return fail(error::OutOfRange);
    }
    if (options.from) {
        clip.player->seek(from);
    }
    start(clip, from, end);
    return done();
}

void VideoMciDevice::start(OpenClip& clip, double from, double end) {
    if (!clip.window) {
        window(clip, WindowOptions{});
    }
    clip.endTime = end;
    if (fromTime(clip, from) >= fromTime(clip, end)) {
        clip.player->hold();
        clip.mode = Mode::Stopped;
        clip.atEndTime = true;
        return;
    }
    clip.player->play(from, end);
    clip.mode = Mode::Playing;
    clip.atEndTime = false;
}

platform::MciReply VideoMciDevice::seek(OpenClip& clip, const SeekOptions& options) {
    refresh(clip);
    const double length = lengthTime(clip);
    double target = 0;
    switch (options.target) {
    case SeekOptions::Target::Start:
        break;
    case SeekOptions::Target::End:
        target = length;
        break;
    case SeekOptions::Target::Position:
        if (options.position < 0 || options.position > fromTime(clip, length)) {
            return fail(error::OutOfRange);
        }
        target = toTime(clip, options.position);
        break;
    }
    clip.player->seek(target);
    clip.mode = Mode::Stopped;
    clip.atEndTime = fromTime(clip, target) >= fromTime(clip, length);
    clip.endTime = length;
    return done();
}

platform::MciReply VideoMciDevice::status(OpenClip& clip, StatusItem item) {
    switch (item) {
    case StatusItem::Mode:
        refresh(clip);
        switch (clip.mode) {
        case Mode::Playing:
            return done("playing");
        case Mode::Paused:
            return done("paused");
        case Mode::Stopped:
            break;
        }
        return done("stopped");
    case StatusItem::Position:
        return number(fromTime(clip, currentTime(clip)));
    case StatusItem::Length:
        return number(fromTime(clip, lengthTime(clip)));
    case StatusItem::StartPosition:
        return number(0);
    case StatusItem::TimeFormat:
        return done(clip.timeFormat == TimeFormat::Frames ? "frames" : "milliseconds");
    case StatusItem::Ready:
        return done("true");
    }
    return fail(error::UnsupportedFunction);
}

platform::MciReply VideoMciDevice::window(OpenClip& clip, const WindowOptions& options) {
    if (clip.window == options.handle) {
        return done();
    }
    if (!clip.player->showIn(options.handle)) {
        return fail(error::NoWindow);
    }
    // A new window starts with the picture at its native size in the top left corner.
    clip.window = options.handle;
    clip.destination = Rect{0, 0, clip.player->info().width, clip.player->info().height};
    // A clip that plays on shows in its new window at once.
    if (clip.mode == Mode::Playing) {
        clip.player->setDestination(clip.destination);
    } else {
        clip.player->setNativeDestination(clip.destination);
    }
    return done();
}

platform::MciReply VideoMciDevice::put(OpenClip& clip, const PutOptions& options) {
    if (!clip.window) {
        window(clip, WindowOptions{});
    }
    clip.destination = options.destination.value_or(clip.player->hostArea());
    clip.player->setDestination(clip.destination);
    return done();
}

platform::MciReply VideoMciDevice::where(OpenClip& clip, WhereItem item) {
    const Rect rect = item == WhereItem::Destination
                          ? clip.destination
                          : Rect{0, 0, clip.player->info().width, clip.player->info().height};
    return done(std::to_string(rect.x) + " " + std::to_string(rect.y) + " " +
                std::to_string(rect.width) + " " + std::to_string(rect.height));
}

void VideoMciDevice::refresh(OpenClip& clip) {
    if (clip.mode == Mode::Playing && clip.player->reachedEnd()) {
        clip.mode = Mode::Stopped;
        clip.atEndTime = true;
    }
}

double VideoMciDevice::lengthTime(const OpenClip& clip) {
    return clip.player->info().frames.length();
}

double VideoMciDevice::toTime(const OpenClip& clip, std::int32_t value) {
    return clip.timeFormat == TimeFormat::Frames ? clip.player->info().frames.timeOf(value)
                                                 : value / 1000.0;
}

std::int64_t VideoMciDevice::fromTime(const OpenClip& clip, double time) {
    return clip.timeFormat == TimeFormat::Frames ? clip.player->info().frames.frameAt(time)
                                                 : std::llround(time * 1000.0);
}

double VideoMciDevice::currentTime(OpenClip& clip) {
    refresh(clip);
    if (clip.atEndTime) {
        return clip.endTime;
    }
    return std::clamp(clip.player->position(), 0.0, lengthTime(clip));
}

} // namespace quorix::device
