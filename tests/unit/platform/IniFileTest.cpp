#include "platform/IniFile.h"

#include <gtest/gtest.h>
#include <string>

namespace quorix::platform {
namespace {

using namespace std::string_literals;

// One lookup against one file, and what the Windows reader places in the buffer.
struct Vector {
    const char* name;
    std::string file;
    std::string section;
    std::string key;
    std::string expected;
    std::string defaultText = "d";
    std::size_t bufferSize = 100;
};

void PrintTo(const Vector& vector, std::ostream* out) {
    *out << vector.name;
}

std::string VectorName(const testing::TestParamInfo<Vector>& vector) {
    return vector.param.name;
}

class WindowsVectors : public testing::TestWithParam<Vector> {};

TEST_P(WindowsVectors, GiveTheWindowsResult) {
    const Vector& v = GetParam();
    EXPECT_EQ(IniFile(v.file).readString(v.section, v.key, v.defaultText, v.bufferSize),
              v.expected);
}

const std::string F1 =
    "[section1]\r\nname1=val1\r\nname2=\"val2\"\r\nname3\r\nname4=a\r\n[section2]\r\n";
const std::string KV = "[s]\r\nk=v\r\n";
const std::string Marked = "\xEF\xBB\xBF[s]\r\nk=v\r\n[t]\r\nj=w\r\n";

// The seeds of the ini fuzz target (fuzz/corpus/ini, replayed by the fuzz regression test) hold
// the plain files: line ends, blanks, comments, headers, duplicates, "=" and quotes, each looked up
// by the names it holds and compared with a scan of its lines. What they do not reach is here:
// buffer sizes, default texts, arguments no file name gives, and marked files.
INSTANTIATE_TEST_SUITE_P(
    BufferAndDefault, WindowsVectors,
    testing::Values(Vector{"CutToBuffer", F1, "section1", "name1", "val", "d", 4},
                    Vector{"FitsBufferExactly", F1, "section1", "name1", "val1", "d", 5},
                    Vector{"BufferOfOne", F1, "section1", "name4", "", "d", 1},
                    Vector{"BufferOfZero", F1, "section1", "name1", "", "d", 0},
                    Vector{"DefaultCutToBuffer", F1, "section1", "notakey", "def", "default", 4},
                    Vector{"TrailingSpacesCut", F1, "s", "k", "one two", "one two  "},
                    Vector{"LeadingSpacesKept", F1, "s", "k", "   def", "   def   "},
                    Vector{"TabsKept", F1, "s", "k", "\tdef\t", "\tdef\t"},
                    Vector{"TrailingCrLfKept", F1, "s", "k", "d \r\n", "d \r\n"},
                    Vector{"Empty", F1, "s", "k", "", ""},
                    Vector{"OnlySpaces", F1, "s", "k", "", "   "}),
    VectorName);

// Blanks around lines and names, in the file and in the arguments.
INSTANTIATE_TEST_SUITE_P(
    Blanks, WindowsVectors,
    testing::Values(Vector{"SpacesAroundKeyAndValue", "[s]\r\n k = v \r\n", "s", "k", "v"},
                    Vector{"CtrlZAsBlank", "[s]\r\nk=v\x1a\r\n\x1a", "s", "k", "v"},
                    Vector{"SpacesAroundSectionArgument", KV, " s ", "k", "v"},
                    Vector{"SpacesAroundKeyArgument", KV, "s", "  k ", "v"},
                    Vector{"TabInSectionArgument", KV, "\ts", "k", "d"},
                    Vector{"VtInSectionArgument", KV, "s\v", "k", "d"},
                    Vector{"TabInKeyArgument", KV, "s", "k\t", "d"},
                    // A title with a tab is also the key of its file entry.
                    Vector{"InnerTabInKeyArgument", "[s]\r\na\tb=v\r\n", "s", "a\tb", "v"},
                    Vector{"InnerTabInSectionArgument", "[a\tb]\r\nk=v\r\n", "a\tb", "k", "v"},
                    Vector{"InnerTabIsNoSpace", "[s]\r\na\tb=v\r\n", "s", "a b", "d"},
                    Vector{"CrInKeyArgument", KV, "s", "k\r", "d"},
                    Vector{"LfInKeyArgument", KV, "s", "k\n", "d"},
                    Vector{"InnerBlanksKept", "[s]\r\nk=a  b\r\n", "s", "k", "a  b"}),
    VectorName);

// Names across case, brackets, the UTF-8 mark, empty quotes and keys.
INSTANTIATE_TEST_SUITE_P(
    Structure, WindowsVectors,
    testing::Values(
        Vector{"CommentIsNoKey", "[s]\r\n\t;k=v\r\n", "s", ";k", "d"},
        Vector{"NoMidLineComment", "[s]\r\nk=v ;x\r\n", "s", "k", "v ;x"},
        Vector{"FirstKeyWinsAcrossCase", "[s]\r\nK=v1\r\nk=v2\r\n", "s", "k", "v1"},
        Vector{"FirstSectionWinsAcrossCase", "[S]\r\nj=w\r\n[s]\r\nk=v\r\n", "s", "k", "d"},
        Vector{"LaterSectionsStillWork", "[a]\r\n[b]\r\nk=v\r\n[a]\r\nk=x\r\n", "b", "k", "v"},
        Vector{"NoNameUpToLastBracket", "[s]x]y\r\nk=v\r\n", "s]x", "k", "d"},
        Vector{"Utf8MarkSkipped", Marked, "s", "k", "v"},
        Vector{"Utf8MarkLaterSectionsWork", Marked, "t", "j", "w"},
        Vector{"EmptyQuotesGiveEmpty", "[s]\r\nk=\"\"\r\n", "s", "k", ""},
        Vector{"EmptyKey", "[s]\r\n=v\r\n", "s", "", "v"}),
    VectorName);

// Titles are keys of section "filelist": any byte but the ASCII letters must match as it stands.
TEST(IniFileBytes, NonAsciiNamesMatchByteForByteAndNulBytesAreOrdinary) {
    const IniFile file(
        "[FileList]\r\nM\xE4rchen \x80 Teil 1=clip1.mpg\r\n\xC3\xA4rger=clip2.mpg\r\n"s);
    EXPECT_EQ(file.readString("filelist", "m\xE4rchen \x80 teil 1", "", 256), "clip1.mpg");
    EXPECT_EQ(file.readString("filelist", "\xC3\xA4RGER", "", 256), "clip2.mpg");
    // No case folding beyond ASCII: Windows-1252 upper-case A-umlaut is another byte.
    EXPECT_EQ(file.readString("filelist", "M\xC4rchen \x80 Teil 1", "none", 256), "none");

    const IniFile nul("[s]\r\nk=a\0b\r\n\0j=w\r\n"s);
    EXPECT_EQ(nul.readString("s", "k", "d", 100), "a\0b"s);
    EXPECT_EQ(nul.readString("s", "\0j"s, "d", 100), "w");
}

TEST(IniFileBytes, MarkedFilesAreReadAsUtf8) {
    // "[s]\r\nk=Ä€\r\n" in UTF-16LE with its byte-order mark.
    const std::string utf16 = "\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0\xC4\0\xAC\x20\r\0\n\0"s;
    EXPECT_EQ(IniFile(utf16).readString("s", "k", "d", 100), "\xC3\x84\xE2\x82\xAC");
    // Bytes that are no UTF-8 become U+FFFD, so that a title never falls back to Windows-1252.
    const IniFile file("\xEF\xBB\xBF[s]\r\nk=M\xC3\xA4rchen\r\nj=M\xE4rchen\r\n"s);
    EXPECT_EQ(file.readString("s", "k", "d", 100), "M\xC3\xA4rchen");
    EXPECT_EQ(file.readString("s", "j", "d", 100), "M\xEF\xBF\xBDrchen");
    // Only the first three bytes are a mark; a second one is text.
    EXPECT_EQ(IniFile("\xEF\xBB\xBF\xEF\xBB\xBF[s]\nk=v"s).readString("s", "k", "d", 100), "d");
}

TEST(IniFileBytes, FileCutShortLosesItsLastLine) {
    const std::string cut = "[s]\r\nk=whole\r\nj=cut in tw";
    EXPECT_EQ(IniFile(cut, true).readString("s", "j", "d", 100), "d");
    EXPECT_EQ(IniFile(cut, true).readString("s", "k", "d", 100), "whole");
    EXPECT_EQ(IniFile(cut, false).readString("s", "j", "d", 100), "cut in tw");
    EXPECT_EQ(IniFile("[s]\nk=v", true).readString("s", "k", "d", 100), "d");
}

TEST(IniFileBytes, LargeMarkedFilesKeepCharactersAcrossTheirPieces) {
    // Marked files are decoded 64 KiB at a time; a character across the boundary stays whole.
    const std::string head = "[s]\nk=";
    std::string utf8 = "\xEF\xBB\xBF" + head + std::string(65536 - head.size() - 1, 'x');
    utf8 += "\xC3\xA4\xE2\x82\xAC\n";
    const std::string value(IniFile(utf8).find("s", "k").value_or(""));
    EXPECT_EQ(value.substr(value.size() - 5), "\xC3\xA4\xE2\x82\xAC");

    std::string utf16 = "\xFF\xFE";
    for (const char c : head + std::string(32768 - head.size() - 1, 'x')) {
        utf16 += {c, '\0'};
    }
    utf16 += "\x3D\xD8\x00\xDE"s; // U+1F600 as a surrogate pair
    const std::string wide(IniFile(utf16).find("s", "k").value_or(""));
    EXPECT_EQ(wide.substr(wide.size() - 4), "\xF0\x9F\x98\x80");
}

TEST(IniFileBytes, LongValuesEmptyFilesAndCopies) {
    const std::string value(1000, 'x');
    const IniFile file("[s]\r\nk=" + value + "\r\n");
    EXPECT_EQ(file.readString("s", "k", "", 256), value.substr(0, 255));
    EXPECT_EQ(file.find("s", "k"), value);
    EXPECT_EQ(IniFile("").readString("s", "k", "d", 100), "d");
    EXPECT_EQ(IniFile().readString("", "", "d", 100), "d");

    // Short texts live inside the string object; a moved file must still find its keys.
    IniFile original("[s]\nk=v");
    const IniFile copy = original;
    const IniFile moved = std::move(original);
    EXPECT_EQ(copy.readString("s", "k", "d", 100), "v");
    EXPECT_EQ(moved.readString("s", "k", "d", 100), "v");
}

} // namespace
} // namespace quorix::platform
