#pragma once

#include <span>
#include <string_view>

namespace quorix::device {

// Whether an element name opens the video device, judged by the text after its last "." without
// regard to case: the extensions the platform maps to its MPEG video device, and the video
// containers that the playback engine plays well.
bool opensVideoDevice(std::string_view element);

// Those extensions, lower case and without the dot, in the order a reader would list them.
std::span<const std::string_view> videoExtensions();

} // namespace quorix::device
