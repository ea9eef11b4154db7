#pragma once

#include <QString>

#include <string_view>

namespace quorix::platform {

// Text that will be shown (titles read from the settings file): UTF-8 when the bytes are valid
// UTF-8, else Windows-1252, the code page discs of this kind were authored in.
QString DecodeDisplayText(std::string_view bytes);

} // namespace quorix::platform
