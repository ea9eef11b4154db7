#include "device/MciExtensions.h"

#include "device/MciCommand.h"

#include <array>

namespace quorix::device {

namespace {

constexpr std::array<std::string_view, 31> Video{
    // Mapped to the MPEG video device by the platform's own extension table.
    "mpg", "mpeg", "mpe", "m1v", "mp2", "mpa", "mp3", "mpv", "mpv2", "mp2v",
    // Containers the playback engine plays well.
    "mp4", "m4v", "mkv", "webm", "mov", "avi", "ts", "m2ts", "m2v", "vob", "dat", "wmv", "asf",
    // What camcorders (AVCHD, HDV, broadcast), phones and editors write.
    "mts", "m2t", "3gp", "3g2", "ogv", "flv", "f4v", "mxf"};

} // namespace

std::span<const std::string_view> videoExtensions() {
    return Video;
}

bool opensVideoDevice(std::string_view element) {
    const std::size_t dot = element.rfind('.');
    if (dot == std::string_view::npos) {
        return false;
    }
    const std::string extension = lowerAscii(element.substr(dot + 1));
    for (std::string_view known : Video) {
        if (extension == known) {
            return true;
        }
    }
    return false;
}

} // namespace quorix::device
