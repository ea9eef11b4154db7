#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quorix::device {

// Either a value or the MCI return code that explains why there is none.
template <typename T> class MciResult {
public:
    MciResult(T value) : value_(std::move(value)) {}
    static MciResult failure(std::int32_t code) { return MciResult(Failure{code}); }

    bool ok() const { return value_.has_value(); }
    std::int32_t code() const { return code_; }
    const T& value() const { return *value_; }
    T& value() { return *value_; }

private:
    struct Failure {
        std::int32_t code;
    };
    explicit MciResult(Failure failure) : code_(failure.code) {}
    std::optional<T> value_;
    std::int32_t code_ = 0;
};

// One blank-separated word of a command string. A quoted word has its quotes removed.
struct MciWord {
    std::string text;
    bool quoted = false;
};

enum class MciVerb {
    Open,
    Close,
    Play,
    Pause,
    Resume,
    Stop,
    Seek,
    Set,
    Status,
    Window,
    Put,
    Where,
    Unsupported, // an MCI verb that this device does not carry out
};

// A command string split into its verb, the device name (or the element, for open) and the
// words that follow.
struct MciCommandLine {
    MciVerb verb = MciVerb::Unsupported;
    MciWord name;
    std::vector<MciWord> options;
};

// Splits a command string: 267 when it is empty, 261 for an unknown verb, 292 when the verb
// stands alone, 294 for a quote that is never closed, 305 for text glued to a closing quote.
MciResult<MciCommandLine> splitCommand(std::string_view command);

// ASCII lower case, for keywords and aliases.
std::string lowerAscii(std::string_view text);

// An integer as MCI writes it: decimal digits with an optional leading "-", or the colon form
// "a:b:c:d" that packs bytes low byte first. Anything else is 270.
MciResult<std::int32_t> parseInteger(std::string_view text);

enum class TimeFormat { Milliseconds, Frames };

struct OpenOptions {
    std::optional<std::string> type;
    std::optional<std::string> alias;
};

struct PlayOptions {
    std::optional<std::int32_t> from;
    std::optional<std::int32_t> to;
    bool wait = false;
};

struct SeekOptions {
    enum class Target { Position, Start, End };
    Target target = Target::Position;
    std::int32_t position = 0;
};

enum class StatusItem { Mode, Position, Length, StartPosition, TimeFormat, Ready };

struct Rect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const Rect&) const = default;
};

struct WindowOptions {
    std::uint64_t handle = 0; // 0: the device's own window
};

struct PutOptions {
    std::optional<Rect> destination; // no value: the whole client area of the host
};

enum class WhereItem { Destination, Source };

// Option parsers for each verb, given the words after the device name. Errors: 259 unknown
// keyword, 269 missing text, 270 bad or missing number, 273 missing item, 274 item this device
// does not support, 284 items that cannot go together, 290 unknown constant, 293 time format
// this device does not support, 295 a flag given twice.
MciResult<OpenOptions> parseOpenOptions(std::span<const MciWord> words);
// Options that only "wait" and "notify" may fill (close, pause, resume, stop).
MciResult<bool> parsePlainOptions(std::span<const MciWord> words);
MciResult<PlayOptions> parsePlayOptions(std::span<const MciWord> words);
MciResult<SeekOptions> parseSeekOptions(std::span<const MciWord> words);
MciResult<TimeFormat> parseSetOptions(std::span<const MciWord> words);
MciResult<StatusItem> parseStatusOptions(std::span<const MciWord> words);
MciResult<WindowOptions> parseWindowOptions(std::span<const MciWord> words);
MciResult<PutOptions> parsePutOptions(std::span<const MciWord> words);
MciResult<WhereItem> parseWhereOptions(std::span<const MciWord> words);

} // namespace quorix::device
