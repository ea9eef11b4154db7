#include "platform/mci/MciExtensions.h"

#include "platform/mci/MciCommand.h"

#include <array>

namespace quorix::platform::mci {

bool opensVideoDevice(std::string_view element) {
    static constexpr std::array<std::string_view, 23> video{
        // Mapped to the MPEG video device by the platform's own extension table.
        "mpg", "mpeg", "mpe", "m1v", "mp2", "mpa", "mp3", "mpv", "mpv2", "mp2v",
        // Containers the playback engine plays well.
        "mp4", "m4v", "mkv", "webm", "mov", "avi", "ts", "m2ts", "m2v", "vob", "dat", "wmv", "asf"};
    const std::size_t dot = element.rfind('.');
    if (dot == std::string_view::npos) {
        return false;
    }
    const std::string extension = lowerAscii(element.substr(dot + 1));
    for (std::string_view known : video) {
        if (extension == known) {
            return true;
        }
    }
    return false;
}

} // namespace quorix::platform::mci
