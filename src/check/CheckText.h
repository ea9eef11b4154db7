#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorix::check {

// Small pieces of the report's wording, shared by every check.

// A key with a two-digit index: ("clip", 3) gives "clip03".
std::string IndexedKey(std::string_view stem, int index);

// A title from the settings file as the viewer would read it (the file's bytes decoded as the
// menu decodes them), in double quotes.
std::string QuotedTitle(std::string_view titleBytes);

// A colour as the settings file writes it: &H followed by eight hex digits.
std::string ColorText(std::int32_t color);

} // namespace quorix::check
