#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorix::check {

// Small pieces of the report's wording, shared by every check.

// A key with a two-digit index: ("clip", 3) gives "clip03".
std::string IndexedKey(std::string_view stem, int index);

// A title or file name from the settings file as the viewer would read it (the file's bytes
// decoded as the menu decodes them), with each control character written as a word in angle
// brackets (<NUL>, <TAB>, <0x1B>), so that the report never holds raw control bytes.
std::string ShownText(std::string_view bytes);

// Whether the bytes hold something that is no readable text: a control character, or bytes that
// no encoding turned into a character (U+FFFD).
bool HoldsNoText(std::string_view bytes);

// ShownText in double quotes.
std::string QuotedTitle(std::string_view titleBytes);

// A colour as the settings file writes it: &H followed by eight hex digits.
std::string ColorText(std::int32_t color);

} // namespace quorix::check
