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

void ExpectWindowsResults(std::initializer_list<Vector> vectors) {
    for (const Vector& v : vectors) {
        EXPECT_EQ(IniFile(v.file).readString(v.section, v.key, v.defaultText, v.bufferSize),
                  v.expected)
            << v.name;
    }
}

const std::string F1 =
    "[section1]\r\nname1=val1\r\nname2=\"val2\"\r\nname3\r\nname4=a\r\n[section2]\r\n";
const std::string KV = "[s]\r\nk=v\r\n";
const std::string Marked = "\xEF\xBB\xBF[s]\r\nk=v\r\n[t]\r\nj=w\r\n";

// The seeds of the ini fuzz target (fuzz/corpus/ini, replayed by the fuzz build's tests) hold
// the plain files: line ends, blanks, comments, headers, duplicates, "=" and quotes, each looked up
// by the names it holds and compared with a scan of its lines. What they do not reach is here:
// buffer sizes, default texts, arguments no file name gives, and marked files.
TEST(IniFileVectors, BufferAndDefault) {
    ExpectWindowsResults({{"CutToBuffer", F1, "section1", "name1", "val", "d", 4},
                          {"FitsBufferExactly", F1, "section1", "name1", "val1", "d", 5},
                          {"BufferOfOne", F1, "section1", "name4", "", "d", 1},
                          {"BufferOfZero", F1, "section1", "name1", "", "d", 0},
                          {"DefaultCutToBuffer", F1, "section1", "notakey", "def", "default", 4},
                          {"TrailingSpacesCut", F1, "s", "k", "one two", "one two  "},
                          {"LeadingSpacesKept", F1, "s", "k", "   def", "   def   "},
                          {"TabsKept", F1, "s", "k", "\tdef\t", "\tdef\t"},
                          {"TrailingCrLfKept", F1, "s", "k", "d \r\n", "d \r\n"},
                          {"Empty", F1, "s", "k", "", ""},
                          {"OnlySpaces", F1, "s", "k", "", "   "}});
}

// Blanks around lines and names, in the file and in the arguments.
TEST(IniFileVectors, Blanks) {
    ExpectWindowsResults({{"SpacesAroundKeyAndValue", "[s]\r\n k = v \r\n", "s", "k", "v"},
                          {"CtrlZAsBlank", "[s]\r\nk=v\x1a\r\n\x1a", "s", "k", "v"},
                          {"SpacesAroundSectionArgument", KV, " s ", "k", "v"},
                          {"SpacesAroundKeyArgument", KV, "s", "  k ", "v"},
                          {"TabInSectionArgument", KV, "\ts", "k", "d"},
                          {"VtInSectionArgument", KV, "s\v", "k", "d"},
                          {"TabInKeyArgument", KV, "s", "k\t", "d"},
                          // A title with a tab is also the key of its file entry.
                          {"InnerTabInKeyArgument", "[s]\r\na\tb=v\r\n", "s", "a\tb", "v"},
                          {"InnerTabInSectionArgument", "[a\tb]\r\nk=v\r\n", "a\tb", "k", "v"},
                          {"InnerTabIsNoSpace", "[s]\r\na\tb=v\r\n", "s", "a b", "d"},
                          {"CrInKeyArgument", KV, "s", "k\r", "d"},
                          {"LfInKeyArgument", KV, "s", "k\n", "d"},
                          {"InnerBlanksKept", "[s]\r\nk=a  b\r\n", "s", "k", "a  b"}});
}

// Names across case, brackets, the UTF-8 mark, empty quotes and keys.
TEST(IniFileVectors, Structure) {
    ExpectWindowsResults(
        {{"CommentIsNoKey", "[s]\r\n\t;k=v\r\n", "s", ";k", "d"},
         {"NoMidLineComment", "[s]\r\nk=v ;x\r\n", "s", "k", "v ;x"},
         {"FirstKeyWinsAcrossCase", "[s]\r\nK=v1\r\nk=v2\r\n", "s", "k", "v1"},
         {"FirstSectionWinsAcrossCase", "[S]\r\nj=w\r\n[s]\r\nk=v\r\n", "s", "k", "d"},
         {"LaterSectionsStillWork", "[a]\r\n[b]\r\nk=v\r\n[a]\r\nk=x\r\n", "b", "k", "v"},
         {"NoNameUpToLastBracket", "[s]x]y\r\nk=v\r\n", "s]x", "k", "d"},
         {"Utf8MarkSkipped", Marked, "s", "k", "v"},
         {"Utf8MarkLaterSectionsWork", Marked, "t", "j", "w"},
         {"EmptyQuotesGiveEmpty", "[s]\r\nk=\"\"\r\n", "s", "k", ""},
         {"EmptyKey", "[s]\r\n=v\r\n", "s", "", "v"}});
}

// Titles are keys of section "filelist": any byte but the ASCII letters must match as it stands,
// and NUL bytes are ordinary. Marked files are read as UTF-8, where bytes that are no UTF-8 become
// U+FFFD, so that a title never falls back to Windows-1252.
TEST(IniFileVectors, Bytes) {
    const std::string titles =
        "[FileList]\r\nM\xE4rchen \x80 Teil 1=clip1.mpg\r\n\xC3\xA4rger=clip2.mpg\r\n";
    const std::string nul = "[s]\r\nk=a\0b\r\n\0j=w\r\n"s;
    const std::string marked = "\xEF\xBB\xBF[s]\r\nk=M\xC3\xA4rchen\r\nj=M\xE4rchen\r\n";
    const std::string utf16 = "\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0\xC4\0\xAC\x20\r\0\n\0"s; // k=Ä€
    ExpectWindowsResults(
        {{"Windows1252ByteForByte", titles, "filelist", "m\xE4rchen \x80 teil 1", "clip1.mpg"},
         {"Utf8ByteForByte", titles, "filelist", "\xC3\xA4RGER", "clip2.mpg"},
         // Windows-1252 upper-case A-umlaut is another byte.
         {"NoCaseFoldingBeyondAscii", titles, "filelist", "M\xC4rchen \x80 Teil 1", "d"},
         {"NulInValue", nul, "s", "k", "a\0b"s},
         {"NulInKey", nul, "s", "\0j"s, "w"},
         {"Utf16Marked", utf16, "s", "k", "\xC3\x84\xE2\x82\xAC"},
         {"Utf8Marked", marked, "s", "k", "M\xC3\xA4rchen"},
         {"NoUtf8BehindAMark", marked, "s", "j", "M\xEF\xBF\xBDrchen"},
         {"SecondMarkIsText", "\xEF\xBB\xBF\xEF\xBB\xBF[s]\nk=v"s, "s", "k", "d"}});
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
