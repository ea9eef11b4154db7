#include "check/ClipCheck.h"

#include "check/CheckText.h"
#include "device/MciElementName.h"
#include "device/MciErrors.h"
#include "device/MciExtensions.h"

#include <charconv>
#include <filesystem>

namespace quorix::check {
namespace {

std::string CodeText(std::int32_t code) {
    std::string text = std::to_string(code);
    const std::string_view name = device::errorName(code);
    if (!name.empty()) {
        text += " ";
        text += name;
    }
    return text;
}

std::optional<std::int32_t> WholeNumber(const std::string& text) {
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

// ".mpg, .mpeg, ... or .mxf"
std::string ExtensionList() {
    const auto extensions = device::videoExtensions();
    std::string text;
    for (std::size_t i = 0; i < extensions.size(); ++i) {
        text += i == 0 ? "" : (i + 1 == extensions.size() ? " or " : ", ");
        text += ".";
        text += extensions[i];
    }
    return text;
}

// Where a path whose file is missing leaves the disc: the first folder on the way that is not
// there, said as the folder above it and the name it lacks; nothing when only the file is missing.
std::string MissingFolder(const std::string& hostPath) {
    std::error_code error;
    std::filesystem::path missing(hostPath);
    while (missing.has_parent_path() && missing.parent_path() != missing &&
           !std::filesystem::exists(missing.parent_path(), error)) {
        missing = missing.parent_path();
    }
    if (missing == std::filesystem::path(hostPath)) {
        return {};
    }
    return ": " + missing.parent_path().string() + " holds no folder named \"" +
           missing.filename().string() + "\" in any case";
}

} // namespace

ClipCheck CheckClip(platform::MciDevice& device, const platform::PathResolver& paths,
                    const std::string& mediaPath, int index, const std::string& title,
                    const std::string& fileBytes) {
    ClipCheck check;
    const std::string programPath = mediaPath + fileBytes;
    check.hostPath = paths.resolve(programPath);
    const std::string entry = "entry " + std::to_string(index + 1) + " (" +
                              IndexedKey("clip", index) + " " + QuotedTitle(title) + ")";
    auto problem = [&](const std::string& what) { check.problems.push_back(entry + ": " + what); };

    // The name as the author reads it, in every line of the report.
    const std::string file = ShownText(fileBytes);
    if (fileBytes.find('\0') != std::string::npos) {
        problem("the clip file name " + file +
                " holds a NUL byte and names no file: the presenter sends nothing to the media "
                "device and reports the file not found");
        return check;
    }
    if (HoldsNoText(fileBytes)) {
        problem("the clip file name " + file +
                " holds characters that are no readable text (control characters, or bytes that "
                "are not UTF-8 and mean nothing in Windows-1252)");
    }

    std::error_code error;
    const auto kind = std::filesystem::status(check.hostPath, error).type();
    if (kind == std::filesystem::file_type::not_found) {
        problem("clip file " + file + " not found at " + check.hostPath +
                MissingFolder(check.hostPath));
        return check;
    }
    if (kind != std::filesystem::file_type::regular) {
        problem("clip file " + file + " at " + check.hostPath + " is not a file");
        return check;
    }

    auto send = [&](const std::string& command) -> std::optional<platform::MciReply> {
        auto reply = device.send(command);
        if (!reply) {
            problem("the media device could not be reached for \"" + command + "\"");
        }
        return reply;
    };

    const auto element = device::MciElementName(programPath);
    if (!element) {
        problem("the clip file name " + file +
                " holds a double quote, which no open command can name: the presenter refuses it");
        return check;
    }
    const auto opened = send("open " + *element + " alias check");
    if (!opened) {
        return check;
    }
    if (opened->code != device::error::None) {
        std::string why = "the media device cannot open " + file + ": " + CodeText(opened->code);
        // The device is chosen by the name's extension; tell the author which ones it takes.
        if (opened->code == device::error::InvalidDeviceName && !device::opensVideoDevice(file)) {
            why += "; it opens files whose names end in " + ExtensionList();
        }
        problem(why);
        return check;
    }

    if (const auto frames = send("set check time format frames")) {
        if (frames->code != device::error::None) {
            problem("the media device cannot count " + file +
                    " in frames: " + CodeText(frames->code));
        } else if (const auto length = send("status check length")) {
            if (length->code != device::error::None) {
                problem("the media device cannot tell the length of " + file + ": " +
                        CodeText(length->code));
            } else if (const auto number = WholeNumber(length->answer)) {
                check.length = *number;
                if (*number > LongestClipForBar) {
                    problem(file + " is " + std::to_string(*number) +
                            " frames long; the position bar reaches frame " +
                            std::to_string(LongestClipForBar) + " at most");
                }
            } else {
                problem("the media device gave \"" + length->answer + "\" as the length of " +
                        file);
            }
        }
    }

    // The alias has to be free for the next clip.
    if (const auto closed = send("close check"); closed && closed->code != device::error::None) {
        problem("the media device cannot close " + file + ": " + CodeText(closed->code));
    }
    return check;
}

} // namespace quorix::check
