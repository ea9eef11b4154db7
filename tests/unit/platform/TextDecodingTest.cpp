#include "platform/TextDecoding.h"

#include <gtest/gtest.h>
#include <string>

namespace quorix::platform {
namespace {

using namespace std::string_view_literals;

// Valid UTF-8 is read as UTF-8; the shortest invalid sequence turns the whole text to
// Windows-1252. NUL bytes are kept.
TEST(DecodeDisplayText, Utf8OrElseWindows1252) {
    const std::pair<std::string_view, std::u16string_view> cases[] = {
        {"M\xC3\xA4rchen \xE2\x82\xAC \xF0\x9F\x8E\xAC", u"Märchen € 🎬"},
        {"Plain title", u"Plain title"},
        {"", u""},
        {"M\xE4rchen", u"M\u00E4rchen"},
        {"\x80 5", u"\u20AC 5"},
        {"\x93quoted\x94 \x85 \x9F\xFF", u"\u201Cquoted\u201D \u2026 \u0178\u00FF"},
        // The five bytes Windows-1252 leaves undefined keep their own value.
        {"\x81\x8D\x8F\x90\x9D", u"\u0081\u008D\u008F\u0090\u009D"},
        // Valid UTF-8 followed by a lone Latin byte.
        {"\xC3\xA4 \xE4", u"\u00C3\u00A4 \u00E4"},
        // A sequence cut off at the end, an overlong form, an encoded surrogate.
        {"abc\xE2\x82", u"abc\u00E2\u201A"},
        {"\xC0\xAF", u"\u00C0\u00AF"},
        {"\xED\xA0\x80", u"\u00ED\u00A0\u20AC"},
        {"a\0b"sv, u"a\0b"sv},
        {"\xE4\0"sv, u"\u00E4\0"sv},
    };
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(DecodeDisplayText(bytes).toStdU16String(), text) << bytes;
    }
}

} // namespace
} // namespace quorix::platform
