#pragma once

#include "device/MciAliasTable.h"
#include "device/MciCommand.h"
#include "device/PlaybackEngine.h"
#include "platform/MciDevice.h"
#include "platform/PathResolver.h"

#include <memory>
#include <optional>

namespace quorix::device {

// The MPEG video device of the MCI string interface: parses command strings, keeps the open
// devices under their aliases with their mode, position and window, and drives a playback engine.
// Every answer except open's comes from its own state at once.
class VideoMciDevice final : public platform::MciDevice {
public:
    VideoMciDevice(PlaybackEngine& engine, const platform::PathResolver& paths);
    ~VideoMciDevice() override;

    std::optional<platform::MciReply> send(std::string_view command) override;

    // Whether any open device is playing now (the console waits for this before it ends).
    bool anyPlaying();

private:
    enum class Mode { Stopped, Playing, Paused };

    struct OpenClip {
        std::unique_ptr<ClipPlayer> player;
        TimeFormat timeFormat = TimeFormat::Milliseconds;
        Mode mode = Mode::Stopped;
        // Where the current (or last) play stops, and whether the device stands there now.
        double endTime = 0;
        bool atEndTime = false;
        std::optional<std::uint64_t> window; // no value: none given yet (the own window)
        Rect destination;
    };
    using Table = MciAliasTable<OpenClip>;

    platform::MciReply open(const MciCommandLine& line);
    platform::MciReply close(const MciCommandLine& line);
    platform::MciReply carryOut(const MciCommandLine& line, OpenClip& clip);
    platform::MciReply play(OpenClip& clip, const PlayOptions& options);
    // Plays from the time shown (from) to end; nothing plays when there is nothing between.
    void start(OpenClip& clip, double from, double end);
    platform::MciReply seek(OpenClip& clip, const SeekOptions& options);
    platform::MciReply status(OpenClip& clip, StatusItem item);
    platform::MciReply window(OpenClip& clip, const WindowOptions& options);
    platform::MciReply put(OpenClip& clip, const PutOptions& options);
    platform::MciReply where(OpenClip& clip, WhereItem item);

    // Notices that a play has reached its end.
    static void refresh(OpenClip& clip);
    static double lengthTime(const OpenClip& clip);
    static double toTime(const OpenClip& clip, std::int32_t value);
    static std::int64_t fromTime(const OpenClip& clip, double time);
    static double currentTime(OpenClip& clip);

    PlaybackEngine& engine_;
    const platform::PathResolver& paths_;
    Table table_;
};

} // namespace quorix::device
