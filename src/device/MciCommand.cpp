#include "device/MciCommand.h"

#include "device/MciErrors.h"

#include <array>
#include <limits>

namespace quorix::device {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Reads the words of a command string; quoted words run to the next quote and keep their blanks.
MciResult<std::vector<MciWord>> splitWords(std::string_view text) {
    std::vector<MciWord> words;
    std::size_t i = 0;
    while (true) {
        while (i < text.size() && isBlank(text[i])) {
            ++i;
        }
        if (i == text.size()) {
            return words;
        }
        if (text[i] == '"') {
            const std::size_t close = text.find('"', i + 1);
            if (close == std::string_view::npos) {
                return MciResult<std::vector<MciWord>>::failure(error::NoClosingQuote);
            }
            if (close + 1 < text.size() && !isBlank(text[close + 1])) {
                return MciResult<std::vector<MciWord>>::failure(error::ExtraCharacters);
            }
            words.push_back({std::string(text.substr(i + 1, close - i - 1)), true});
            i = close + 1;
        } else {
            std::size_t end = i;
            while (end < text.size() && !isBlank(text[end])) {
                ++end;
            }
            words.push_back({std::string(text.substr(i, end - i)), false});
            i = end;
        }
    }
}

std::optional<MciVerb> verbNamed(std::string_view word) {
    struct Entry {
        std::string_view name;
        MciVerb verb;
    };
    static constexpr std::array<Entry, 12> carried{{
        {"open", MciVerb::Open},
        {"close", MciVerb::Close},
        {"play", MciVerb::Play},
        {"pause", MciVerb::Pause},
        {"resume", MciVerb::Resume},
        {"stop", MciVerb::Stop},
        {"seek", MciVerb::Seek},
        {"set", MciVerb::Set},
        {"status", MciVerb::Status},
        {"window", MciVerb::Window},
        {"put", MciVerb::Put},
        {"where", MciVerb::Where},
    }};
    // Verbs of the MCI command set that this device lacks: known words, refused by the device.
    static constexpr std::array<std::string_view, 32> known{
        "break",       "capability", "configure", "copy",    "cue",     "cut",     "delete",
        "escape",      "freeze",     "info",      "list",    "load",    "monitor", "paste",
        "quality",     "realize",    "record",    "reserve", "restore", "save",    "setaudio",
        "settimecode", "settuner",   "setvideo",  "signal",  "spin",    "step",    "sysinfo",
        "undo",        "unfreeze",   "update",    "sound"};
    for (const auto& entry : carried) {
        if (entry.name == word) {
            return entry.verb;
        }
    }
    for (const auto& name : known) {
        if (name == word) {
            return MciVerb::Unsupported;
        }
    }
    return std::nullopt;
}

// Walks the option words of one command.
class Cursor {
public:
    explicit Cursor(std::span<const MciWord> words) : words_(words) {}

    bool done() const { return index_ >= words_.size(); }
    // The current word, lower case; empty past the end.
    std::string peek(std::size_t ahead = 0) const {
        return index_ + ahead < words_.size() ? lowerAscii(words_[index_ + ahead].text)
                                              : std::string();
    }
    const MciWord* raw() const { return done() ? nullptr : &words_[index_]; }
    bool accept(std::string_view keyword) {
        if (!done() && peek() == keyword) {
            ++index_;
            return true;
        }
        return false;
    }
    void skip() { ++index_; }

private:
    std::span<const MciWord> words_;
    std::size_t index_ = 0;
};

// "wait" and "notify" are taken by every verb. Notification goes to the caller's window, and a
// command string sent without one (as all of ours are) has nobody to notify, so it is accepted.
// Returns whether the word was one of them; a repeat is an error.
std::optional<std::int32_t> acceptCommonFlag(Cursor& cursor, bool& wait, bool& notify) {
    if (cursor.peek() == "wait") {
        cursor.skip();
        if (wait) {
            return error::DuplicateFlags;
        }
        wait = true;
        return error::None;
    }
    if (cursor.peek() == "notify") {
        cursor.skip();
        if (notify) {
            return error::DuplicateFlags;
        }
        notify = true;
        return error::None;
    }
    return std::nullopt;
}

MciResult<std::int32_t> takeInteger(Cursor& cursor) {
    const MciWord* word = cursor.raw();
    if (word == nullptr) {
        return MciResult<std::int32_t>::failure(error::BadInteger);
    }
    cursor.skip();
    return parseInteger(word->text);
}

} // namespace

std::string lowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

MciResult<std::int32_t> parseInteger(std::string_view text) {
    using Result = MciResult<std::int32_t>;
    if (text.empty()) {
        return Result::failure(error::BadInteger);
    }
    if (text.find(':') != std::string_view::npos) {
        std::uint32_t packed = 0;
        unsigned shift = 0;
        std::size_t start = 0;
        while (true) {
            const std::size_t colon = text.find(':', start);
            const std::string_view part = text.substr(start, colon - start);
            if (shift > 24 || part.size() > 3) {
                return Result::failure(error::BadInteger);
            }
            unsigned value = 0;
            for (char c : part) {
                if (c < '0' || c > '9') {
                    return Result::failure(error::BadInteger);
                }
                value = value * 10 + static_cast<unsigned>(c - '0');
            }
            if (value > 255) {
                return Result::failure(error::BadInteger);
            }
            packed |= value << shift;
            if (colon == std::string_view::npos) {
                break;
            }
            shift += 8;
            start = colon + 1;
        }
        return static_cast<std::int32_t>(packed);
    }
    const bool negative = text.front() == '-';
    const std::string_view digits = negative ? text.substr(1) : text;
    if (digits.empty()) {
        return Result::failure(error::BadInteger);
    }
    std::int64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return Result::failure(error::BadInteger);
        }
        value = value * 10 + (c - '0');
        if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) {
            return Result::failure(error::BadInteger);
        }
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return Result::failure(error::BadInteger);
    }
    return static_cast<std::int32_t>(value);
}

MciResult<MciCommandLine> splitCommand(std::string_view command) {
    using Result = MciResult<MciCommandLine>;
    std::size_t start = 0;
    while (start < command.size() && isBlank(command[start])) {
        ++start;
    }
    if (start == command.size()) {
        return Result::failure(error::MissingCommandString);
    }
    std::size_t end = start;
    while (end < command.size() && !isBlank(command[end])) {
        ++end;
    }
    const std::optional<MciVerb> verb = verbNamed(lowerAscii(command.substr(start, end - start)));
    if (!verb) {
        return Result::failure(error::UnrecognizedCommand);
    }
    auto words = splitWords(command.substr(end));
    if (!words.ok()) {
        return Result::failure(words.code());
    }
    if (words.value().empty()) {
        return Result::failure(error::MissingDeviceName);
    }
    MciCommandLine line;
    line.verb = *verb;
    line.name = std::move(words.value().front());
    line.options.assign(std::make_move_iterator(words.value().begin() + 1),
                        std::make_move_iterator(words.value().end()));
    return line;
}

MciResult<OpenOptions> parseOpenOptions(std::span<const MciWord> words) {
    using Result = MciResult<OpenOptions>;
    OpenOptions options;
    Cursor cursor(words);
    bool wait = false;
    bool notify = false;
    bool shareable = false;
    while (!cursor.done()) {
        if (auto common = acceptCommonFlag(cursor, wait, notify)) {
            if (*common != error::None) {
                return Result::failure(*common);
            }
        } else if (cursor.accept("shareable")) {
            if (shareable) {
                return Result::failure(error::DuplicateFlags);
            }
            shareable = true;
        } else if (cursor.peek() == "type" || cursor.peek() == "alias") {
            const bool isType = cursor.peek() == "type";
            cursor.skip();
            std::optional<std::string>& slot = isType ? options.type : options.alias;
            if (slot) {
                return Result::failure(error::DuplicateFlags);
            }
            const MciWord* value = cursor.raw();
            if (value == nullptr) {
                return Result::failure(error::MissingStringArgument);
            }
            slot = value->text;
            cursor.skip();
        } else {
            return Result::failure(error::UnrecognizedKeyword);
        }
    }
    return options;
}

MciResult<bool> parsePlainOptions(std::span<const MciWord> words) {
    Cursor cursor(words);
    bool wait = false;
    bool notify = false;
    while (!cursor.done()) {
        auto common = acceptCommonFlag(cursor, wait, notify);
        if (!common) {
            return MciResult<bool>::failure(error::UnrecognizedKeyword);
        }
        if (*common != error::None) {
            return MciResult<bool>::failure(*common);
        }
    }
    return wait;
}

MciResult<PlayOptions> parsePlayOptions(std::span<const MciWord> words) {
    using Result = MciResult<PlayOptions>;
    PlayOptions options;
    Cursor cursor(words);
    bool notify = false;
    while (!cursor.done()) {
        if (auto common = acceptCommonFlag(cursor, options.wait, notify)) {
            if (*common != error::None) {
                return Result::failure(*common);
            }
        } else if (cursor.peek() == "from" || cursor.peek() == "to") {
            std::optional<std::int32_t>& slot = cursor.peek() == "from" ? options.from : options.to;
            cursor.skip();
            if (slot) {
                return Result::failure(error::DuplicateFlags);
            }
            auto value = takeInteger(cursor);
            if (!value.ok()) {
                return Result::failure(value.code());
            }
            slot = value.value();
        } else {
            return Result::failure(error::UnrecognizedKeyword);
        }
    }
    return options;
}

MciResult<SeekOptions> parseSeekOptions(std::span<const MciWord> words) {
    using Result = MciResult<SeekOptions>;
    SeekOptions options;
    Cursor cursor(words);
    bool wait = false;
    bool notify = false;
    bool toPosition = false;
    bool toStart = false;
    bool toEnd = false;
    while (!cursor.done()) {
        if (auto common = acceptCommonFlag(cursor, wait, notify)) {
            if (*common != error::None) {
                return Result::failure(*common);
            }
        } else if (cursor.accept("to")) {
            bool* flag = nullptr;
            if (cursor.accept("start")) {
                flag = &toStart;
                options.target = SeekOptions::Target::Start;
            } else if (cursor.accept("end")) {
                flag = &toEnd;
                options.target = SeekOptions::Target::End;
            } else {
                auto value = takeInteger(cursor);
                if (!value.ok()) {
                    return Result::failure(value.code());
                }
                flag = &toPosition;
                options.target = SeekOptions::Target::Position;
                options.position = value.value();
            }
            if (*flag) {
                return Result::failure(error::DuplicateFlags);
            }
            *flag = true;
        } else {
            return Result::failure(error::UnrecognizedKeyword);
        }
    }
    const int targets = int{toPosition} + int{toStart} + int{toEnd};
    if (targets == 0) {
        return Result::failure(error::MissingParameter);
    }
    if (targets > 1) {
        return Result::failure(error::FlagsNotCompatible);
    }
    return options;
}

MciResult<TimeFormat> parseSetOptions(std::span<const MciWord> words) {
    using Result = MciResult<TimeFormat>;
    Cursor cursor(words);
    bool wait = false;
    bool notify = false;
    std::optional<TimeFormat> format;
    while (!cursor.done()) {
        if (auto common = acceptCommonFlag(cursor, wait, notify)) {
            if (*common != error::None) {
                return Result::failure(*common);
            }
        } else if (cursor.peek() == "time" && cursor.peek(1) == "format") {
            cursor.skip();
            cursor.skip();
            if (format) {
                return Result::failure(error::DuplicateFlags);
            }
            const std::string value = cursor.peek();
            if (value.empty()) {
                return Result::failure(error::MissingParameter);
            }
            cursor.skip();
            if (value == "milliseconds" || value == "ms") {
                format = TimeFormat::Milliseconds;
            } else if (value == "frames") {
                format = TimeFormat::Frames;
            } else if (value == "hms" || value == "msf" || value == "tmsf" || value == "bytes" ||
                       value == "samples" || value == "songpointer") {
                return Result::failure(error::BadTimeFormat);
            } else if (value == "smpte") {
                const std::string rate = cursor.peek();
                if (rate == "24" || rate == "25" || rate == "30") {
                    return Result::failure(error::BadTimeFormat);
                }
                return Result::failure(error::BadConstant);
            } else {
                return Result::failure(error::BadConstant);
            }
        } else {
            return Result::failure(error::UnrecognizedKeyword);
        }
    }
    if (!format) {
        return Result::failure(error::MissingParameter);
    }
    return *format;
}

// Options that name exactly one item among the common flags (status, where): the item matched by
// match, which fails for a word it does not know; a second item is a duplicate or an
// incompatible flag, and no item at all fails with missing.
template <typename Item, typename Match>
MciResult<Item> parseOneItem(std::span<const MciWord> words, std::int32_t missing, Match match) {
    using Result = MciResult<Item>;
    Cursor cursor(words);
    bool wait = false;
    bool notify = false;
    std::optional<Item> item;
    while (!cursor.done()) {
        if (auto common = acceptCommonFlag(cursor, wait, notify)) {
            if (*common != error::None) {
                return Result::failure(*common);
            }
            continue;
        }
        const Result found = match(cursor);
        if (!found.ok()) {
            return found;
        }
        if (item) {
            return Result::failure(*item == found.value() ? error::DuplicateFlags
                                                          : error::FlagsNotCompatible);
        }
        item = found.value();
    }
    if (!item) {
        return Result::failure(missing);
    }
    return *item;
}

MciResult<StatusItem> parseStatusOptions(std::span<const MciWord> words) {
    using Result = MciResult<StatusItem>;
    return parseOneItem<StatusItem>(
        words, error::UnsupportedFunction, [](Cursor& cursor) -> Result {
            if (cursor.accept("mode")) {
                return StatusItem::Mode;
            }
            if (cursor.accept("position")) {
                return StatusItem::Position;
            }
            if (cursor.accept("length")) {
                return StatusItem::Length;
            }
            if (cursor.accept("ready")) {
                return StatusItem::Ready;
            }
            if (cursor.peek() == "start" && cursor.peek(1) == "position") {
                cursor.skip();
                cursor.skip();
                return StatusItem::StartPosition;
            }
            if (cursor.peek() == "time" && cursor.peek(1) == "format") {
                cursor.skip();
                cursor.skip();
                return StatusItem::TimeFormat;
            }
            return Result::failure(error::UnrecognizedKeyword);
        });
}

MciResult<WindowOptions> parseWindowOptions(std::span<const MciWord> words) {
    using Result = MciResult<WindowOptions>;
    Cursor cursor(words);
    bool wait = false;
    bool notify = false;
    std::optional<WindowOptions> options;
    while (!cursor.done()) {
        if (auto common = acceptCommonFlag(cursor, wait, notify)) {
            if (*common != error::None) {
                return Result::failure(*common);
            }
        } else if (cursor.accept("handle")) {
            if (options) {
                return Result::failure(error::DuplicateFlags);
            }
            options = WindowOptions{};
            if (!cursor.accept("default")) {
                auto value = takeInteger(cursor);
                if (!value.ok()) {
                    return Result::failure(value.code());
                }
                // Window handles are unsigned; the integer form carries their 32 bits.
                options->handle = static_cast<std::uint32_t>(value.value());
            }
        } else if (cursor.peek() == "state" || cursor.peek() == "text") {
            return Result::failure(error::UnsupportedFunction);
        } else {
            return Result::failure(error::UnrecognizedKeyword);
        }
    }
    if (!options) {
        return Result::failure(error::MissingParameter);
    }
    return *options;
}

MciResult<PutOptions> parsePutOptions(std::span<const MciWord> words) {
    using Result = MciResult<PutOptions>;
    Cursor cursor(words);
    bool wait = false;
    bool notify = false;
    bool destination = false;
    PutOptions options;
    while (!cursor.done()) {
        if (auto common = acceptCommonFlag(cursor, wait, notify)) {
            if (*common != error::None) {
                return Result::failure(*common);
            }
        } else if (cursor.accept("destination")) {
            if (destination) {
                return Result::failure(error::DuplicateFlags);
            }
            destination = true;
        } else if (cursor.accept("at")) {
            if (options.destination) {
                return Result::failure(error::DuplicateFlags);
            }
            std::array<std::int32_t, 4> values{};
            for (std::int32_t& value : values) {
                auto number = takeInteger(cursor);
                if (!number.ok()) {
                    return Result::failure(number.code());
                }
                value = number.value();
            }
            if (values[2] < 0 || values[3] < 0) {
                return Result::failure(error::BadInteger);
            }
            options.destination = Rect{values[0], values[1], values[2], values[3]};
        } else if (cursor.peek() == "source" || cursor.peek() == "window" ||
                   cursor.peek() == "frame" || cursor.peek() == "video") {
            return Result::failure(error::UnsupportedFunction);
        } else {
            return Result::failure(error::UnrecognizedKeyword);
        }
    }
    if (!destination) {
        return Result::failure(error::MissingParameter);
    }
    return options;
}

MciResult<WhereItem> parseWhereOptions(std::span<const MciWord> words) {
    using Result = MciResult<WhereItem>;
    return parseOneItem<WhereItem>(words, error::MissingParameter, [](Cursor& cursor) -> Result {
        if (cursor.accept("destination")) {
            return WhereItem::Destination;
        }
        if (cursor.accept("source")) {
            return WhereItem::Source;
        }
        if (cursor.peek() == "window" || cursor.peek() == "frame" || cursor.peek() == "video") {
            return Result::failure(error::UnsupportedFunction);
        }
        return Result::failure(error::UnrecognizedKeyword);
    });
}

} // namespace quorix::device
