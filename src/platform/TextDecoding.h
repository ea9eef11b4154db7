#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace quorix::platform {

// Text that will be shown (titles read from the settings file): UTF-8 when the bytes are valid
// UTF-8, else Windows-1252, the code page discs of this kind were authored in.
QString DecodeDisplayText(std::string_view bytes);

// The same text as UTF-8: the bytes themselves when they are valid UTF-8. NUL bytes are kept.
std::string DecodeToUtf8(std::string_view bytes);

} // namespace quorix::platform
