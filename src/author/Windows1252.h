#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace quorix::author {

// The code page the Windows presenter reads titles in. Decoding maps every byte (the five bytes
// the code page leaves undefined become the C1 control of the same value, as Windows does), so
// encoding what was decoded gives the same bytes back.

QString DecodeWindows1252(std::string_view bytes);

// The text's bytes in Windows-1252, or no value when a character has no byte there.
std::optional<std::string> EncodeWindows1252(const QString& text);

} // namespace quorix::author
