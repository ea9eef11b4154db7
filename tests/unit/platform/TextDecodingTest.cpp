#include "platform/TextDecoding.h"

#include <gtest/gtest.h>
#include <string>

namespace quorix::platform {
namespace {

using namespace std::string_literals;

std::u16string Utf16(std::string_view bytes) {
    return DecodeDisplayText(bytes).toStdU16String();
}

TEST(DecodeDisplayText, ValidUtf8IsDecodedAsUtf8) {
    EXPECT_EQ(Utf16("M\xC3\xA4rchen \xE2\x82\xAC \xF0\x9F\x8E\xAC"), u"Märchen € 🎬");
    EXPECT_EQ(Utf16("Plain title"), u"Plain title");
    EXPECT_EQ(Utf16(""), u"");
}

TEST(DecodeDisplayText, OtherBytesAreWindows1252) {
    EXPECT_EQ(Utf16("M\xE4rchen"), u"M\u00E4rchen");
    EXPECT_EQ(Utf16("\x80 5"), u"\u20AC 5");
    EXPECT_EQ(Utf16("\x93quoted\x94 \x85 \x9F\xFF"), u"\u201Cquoted\u201D \u2026 \u0178\u00FF");
    // The five bytes Windows-1252 leaves undefined keep their own value.
    EXPECT_EQ(Utf16("\x81\x8D\x8F\x90\x9D"), u"\u0081\u008D\u008F\u0090\u009D");
}

TEST(DecodeDisplayText, ShortestInvalidUtf8TurnsTheWholeTextToWindows1252) {
    // Valid UTF-8 followed by a lone Latin byte.
    EXPECT_EQ(Utf16("\xC3\xA4 \xE4"), u"\u00C3\u00A4 \u00E4");
    // A sequence cut off at the end, an overlong form, an encoded surrogate.
    EXPECT_EQ(Utf16("abc\xE2\x82"), u"abc\u00E2\u201A");
    EXPECT_EQ(Utf16("\xC0\xAF"), u"\u00C0\u00AF");
    EXPECT_EQ(Utf16("\xED\xA0\x80"), u"\u00ED\u00A0\u20AC");
}

TEST(DecodeDisplayText, NulBytesAreKept) {
    EXPECT_EQ(DecodeDisplayText("a\0b"s).size(), 3);
    EXPECT_EQ(DecodeDisplayText("\xE4\0"s).size(), 2);
}

} // namespace
} // namespace quorix::platform
