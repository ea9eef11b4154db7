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
    std::string defaultText;
    std::size_t bufferSize;
    std::string expected;
};

void PrintTo(const Vector& vector, std::ostream* out) {
    *out << vector.name;
}

const std::string F1 =
    "[section1]\r\nname1=val1\r\nname2=\"val2\"\r\nname3\r\nname4=a\r\n[section2]\r\n";
const std::string F1CrOnly = "[section1]\rname1=val1\rname2=\"val2\"\rname3\rname4=a\r[section2]\r";

std::string VectorName(const testing::TestParamInfo<Vector>& vector) {
    return vector.param.name;
}

class WindowsVectors : public testing::TestWithParam<Vector> {};

TEST_P(WindowsVectors, GiveTheWindowsResult) {
    const Vector& vector = GetParam();
    const IniFile file(vector.file);
    EXPECT_EQ(file.readString(vector.section, vector.key, vector.defaultText, vector.bufferSize),
              vector.expected);
}

// Lines, names, case and buffer size.
INSTANTIATE_TEST_SUITE_P(
    LinesAndBuffer, WindowsVectors,
    testing::Values(Vector{"CrLf", F1, "section1", "name1", "default", 100, "val1"},
                    Vector{"CrOnly", F1CrOnly, "section1", "name1", "default", 100, "val1"},
                    Vector{"LfOnly", "[Test]\nK=123\n", "Test", "K", "", 100, "123"},
                    Vector{"CaseIgnored", F1, "SECTION1", "NaMe1", "default", 100, "val1"},
                    Vector{"QuotedValue", F1, "section1", "name2", "default", 100, "val2"},
                    Vector{"MissingKey", F1, "section1", "notakey", "default", 100, "default"},
                    Vector{"MissingSection", F1, "notasection", "name1", "default", 100, "default"},
                    Vector{"KeyWithoutEquals", F1, "section1", "name3", "default", 100, "default"},
                    Vector{"CutToBuffer", F1, "section1", "name1", "default", 4, "val"},
                    Vector{"FitsBufferExactly", F1, "section1", "name1", "default", 5, "val1"},
                    Vector{"BufferOfOne", F1, "section1", "name4", "default", 1, ""},
                    Vector{"BufferOfZero", F1, "section1", "name1", "default", 0, ""},
                    Vector{"DefaultCutToBuffer", F1, "section1", "notakey", "default", 4, "def"}),
    VectorName);

// The default text.
INSTANTIATE_TEST_SUITE_P(
    DefaultText, WindowsVectors,
    testing::Values(
        Vector{"TrailingSpacesCut", F1, "section1", "notakey", "one two  ", 100, "one two"},
        Vector{"LeadingSpacesKept", F1, "section1", "notakey", "   default   ", 100, "   default"},
        Vector{"TabsKept", F1, "section1", "notakey", "\tdefault\t", 100, "\tdefault\t"},
        Vector{"TrailingCrLfKept", F1, "section1", "notakey", "d \r\n", 100, "d \r\n"},
        Vector{"Empty", F1, "section1", "notakey", "", 100, ""},
        Vector{"OnlySpaces", F1, "section1", "notakey", "   ", 100, ""}),
    VectorName);

// Blanks around lines and names, in the file and in the arguments.
INSTANTIATE_TEST_SUITE_P(
    Blanks, WindowsVectors,
    testing::Values(
        Vector{"TabsAroundKeyAndValue", "[s]\r\n\tk\t=\tv\t\r\n", "s", "k", "d", 100, "v"},
        Vector{"SpacesAroundKeyAndValue", "[s]\r\n k = v \r\n", "s", "k", "d", 100, "v"},
        Vector{"VtAroundKeyAndValue", "[s]\r\n\vk\v=\vv\v\r\n", "s", "k", "d", 100, "v"},
        Vector{"CtrlZAsBlank", "[s]\r\nk=v\x1a\r\n\x1a", "s", "k", "d", 100, "v"},
        Vector{"BlanksInHeader", "  [ s ]\r\nk=v\r\n", "s", "k", "d", 100, "v"},
        Vector{"SpacesAroundSectionArgument", "[s]\r\nk=v\r\n", " s ", "k", "d", 100, "v"},
        Vector{"SpacesAroundKeyArgument", "[s]\r\nk=v\r\n", "s", "  k ", "d", 100, "v"},
        Vector{"TabInSectionArgument", "[s]\r\nk=v\r\n", "\ts", "k", "d", 100, "d"},
        Vector{"VtInSectionArgument", "[s]\r\nk=v\r\n", "s\v", "k", "d", 100, "d"},
        Vector{"TabInKeyArgument", "[s]\r\nk=v\r\n", "s", "k\t", "d", 100, "d"},
        // A title with a tab is also the key of its file entry.
        Vector{"InnerTabInKeyArgument", "[s]\r\na\tb=v\r\n", "s", "a\tb", "d", 100, "v"},
        Vector{"InnerTabInSectionArgument", "[a\tb]\r\nk=v\r\n", "a\tb", "k", "d", 100, "v"},
        Vector{"InnerTabIsNoSpace", "[s]\r\na\tb=v\r\n", "s", "a b", "d", 100, "d"},
        Vector{"CrInKeyArgument", "[s]\r\nk=v\r\n", "s", "k\r", "d", 100, "d"},
        Vector{"LfInKeyArgument", "[s]\r\nk=v\r\n", "s", "k\n", "d", 100, "d"},
        Vector{"InnerBlanksKept", "[s]\r\nk=a  b\r\n", "s", "k", "d", 100, "a  b"}),
    VectorName);

// Comments, headers, duplicates and the area before the first header.
INSTANTIATE_TEST_SUITE_P(
    Structure, WindowsVectors,
    testing::Values(Vector{"CommentAfterBlank", "[s]\r\n\t;k=v\r\n", "s", "k", "d", 100, "d"},
                    Vector{"CommentIsNoKey", "[s]\r\n\t;k=v\r\n", "s", ";k", "d", 100, "d"},
                    Vector{"SemicolonInValue", "[s]\r\nk=;x\r\n#j=w\r\n", "s", "k", "d", 100, ";x"},
                    Vector{"HashIsOrdinary", "[s]\r\nk=;x\r\n#j=w\r\n", "s", "#j", "d", 100, "w"},
                    Vector{"NoMidLineComment", "[s]\r\nk=v ;x\r\n", "s", "k", "d", 100, "v ;x"},
                    Vector{"FirstKeyWins", "[s]\r\nk=v1\r\nk=v2\r\n", "s", "k", "d", 100, "v1"},
                    Vector{"FirstKeyWinsAcrossCase", "[s]\r\nK=v1\r\nk=v2\r\n", "s", "k", "d", 100,
                           "v1"},
                    Vector{"FirstSectionWins", "[s]\r\n[s]\r\nk=v\r\n", "s", "k", "d", 100, "d"},
                    Vector{"FirstSectionWinsAcrossCase", "[S]\r\nj=w\r\n[s]\r\nk=v\r\n", "s", "k",
                           "d", 100, "d"},
                    Vector{"LaterSectionsStillWork", "[a]\r\n[b]\r\nk=v\r\n[a]\r\nk=x\r\n", "b",
                           "k", "d", 100, "v"},
                    Vector{"BeforeFirstHeader", "k=v\r\n[s]\r\nx=y\r\n", "", "k", "d", 100, "d"},
                    Vector{"EmptySectionName", "[]\r\nk=v\r\n", "", "k", "d", 100, "v"},
                    Vector{"NameEndsAtFirstBracket", "[s]x]y\r\nk=v\r\n", "s", "k", "d", 100, "v"},
                    Vector{"NoNameUpToLastBracket", "[s]x]y\r\nk=v\r\n", "s]x", "k", "d", 100, "d"},
                    Vector{"HeaderWithoutBracket", "[s  \r\nk=v\r\n", "s", "k", "d", 100, "v"},
                    Vector{"BracketWithoutOpening", "s]\r\nk=v\r\n", "s", "k", "d", 100, "d"},
                    Vector{"TextAfterHeaderIgnored", "[s]k=v\r\n", "s", "k", "d", 100, "d"},
                    Vector{"Utf8MarkSkipped", "\xEF\xBB\xBF[s]\r\nk=v\r\n[t]\r\nj=w\r\n", "s", "k",
                           "d", 100, "v"},
                    Vector{"Utf8MarkLaterSectionsWork", "\xEF\xBB\xBF[s]\r\nk=v\r\n[t]\r\nj=w\r\n",
                           "t", "j", "d", 100, "w"}),
    VectorName);

// Splitting at "=" and removing quotes.
INSTANTIATE_TEST_SUITE_P(
    Values, WindowsVectors,
    testing::Values(
        Vector{"QuotesAfterTrim", "[s]\r\nk=  \"  v  \"  \r\n", "s", "k", "d", 100, "  v  "},
        Vector{"SingleQuotes", "[s]\r\nk='v'\r\nj=\"v'\r\nm=\"'v'\"\r\n", "s", "k", "d", 100, "v"},
        Vector{"UnmatchedQuotesKept", "[s]\r\nk='v'\r\nj=\"v'\r\nm=\"'v'\"\r\n", "s", "j", "d", 100,
               "\"v'"},
        Vector{"OnlyOuterPairRemoved", "[s]\r\nk='v'\r\nj=\"v'\r\nm=\"'v'\"\r\n", "s", "m", "d",
               100, "'v'"},
        Vector{"EmptyValueIsNotDefault", "[s]\r\nk=\r\nj\r\nm=a=b\r\nq=\"\r\n", "s", "k", "d", 100,
               ""},
        Vector{"LineWithoutEquals", "[s]\r\nk=\r\nj\r\nm=a=b\r\nq=\"\r\n", "s", "j", "d", 100, "d"},
        Vector{"SplitAtFirstEquals", "[s]\r\nk=\r\nj\r\nm=a=b\r\nq=\"\r\n", "s", "m", "d", 100,
               "a=b"},
        Vector{"LoneQuoteKept", "[s]\r\nk=\r\nj\r\nm=a=b\r\nq=\"\r\n", "s", "q", "d", 100, "\""},
        Vector{"EmptyQuotesGiveEmpty", "[s]\r\nk=\"\"\r\n", "s", "k", "d", 100, ""},
        Vector{"EmptyKey", "[s]\r\n=v\r\n", "s", "", "d", 100, "v"}),
    VectorName);

// Titles are keys of section "filelist": any byte but the ASCII letters must match as it stands.
TEST(IniFileBytes, NonAsciiNamesMatchByteForByte) {
    const IniFile file("[FileList]\r\nM\xE4rchen \x80 Teil 1=clip1.mpg\r\n"
                       "\xC3\xA4rger=clip2.mpg\r\n"s);
    EXPECT_EQ(file.readString("filelist", "m\xE4rchen \x80 teil 1", "", 256), "clip1.mpg");
    EXPECT_EQ(file.readString("filelist", "\xC3\xA4RGER", "", 256), "clip2.mpg");
    // No case folding beyond ASCII: Windows-1252 upper-case A-umlaut is another byte.
    EXPECT_EQ(file.readString("filelist", "M\xC4rchen \x80 Teil 1", "none", 256), "none");
}

TEST(IniFileBytes, NulBytesAreOrdinary) {
    const IniFile file("[s]\r\nk=a\0b\r\n\0j=w\r\n"s);
    EXPECT_EQ(file.readString("s", "k", "d", 100), "a\0b"s);
    EXPECT_EQ(file.readString("s", "\0j"s, "d", 100), "w");
}

TEST(IniFileBytes, Utf16LittleEndianFileIsReadAsUtf8) {
    // "[s]\r\nk=Ä€\r\n" in UTF-16LE with its byte-order mark.
    const std::string bytes = "\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0\xC4\0\xAC\x20\r\0\n\0"s;
    const IniFile file(bytes);
    EXPECT_EQ(file.readString("s", "k", "d", 100), "\xC3\x84\xE2\x82\xAC");
}

TEST(IniFileBytes, Utf8MarkMakesTheWholeFileUtf8) {
    // Bytes that are no UTF-8 become U+FFFD, so that a title never falls back to Windows-1252.
    const IniFile file("\xEF\xBB\xBF[s]\r\nk=M\xC3\xA4rchen\r\nj=M\xE4rchen\r\n"s);
    EXPECT_EQ(file.readString("s", "k", "d", 100), "M\xC3\xA4rchen");
    EXPECT_EQ(file.readString("s", "j", "d", 100), "M\xEF\xBF\xBDrchen");
    // Only the first three bytes are a mark; a second one is text.
    EXPECT_EQ(IniFile("\xEF\xBB\xBF\xEF\xBB\xBF[s]\nk=v"s).readString("s", "k", "d", 100), "d");
}

TEST(IniFileBytes, FileCutShortLosesItsLastLine) {
    EXPECT_EQ(IniFile("[s]\r\nk=whole\r\nj=cut in tw", true).readString("s", "j", "d", 100), "d");
    EXPECT_EQ(IniFile("[s]\r\nk=whole\r\nj=cut in tw", true).readString("s", "k", "d", 100),
              "whole");
    EXPECT_EQ(IniFile("[s]\r\nk=whole\r\nj=cut in tw", false).readString("s", "j", "d", 100),
              "cut in tw");
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
        utf16 += c;
        utf16 += '\0';
    }
    utf16 += "\x3D\xD8\x00\xDE"s; // U+1F600 as a surrogate pair
    const std::string wide(IniFile(utf16).find("s", "k").value_or(""));
    EXPECT_EQ(wide.substr(wide.size() - 4), "\xF0\x9F\x98\x80");
}

TEST(IniFileBytes, LongValueIsCutToTheBuffer) {
    const std::string value(1000, 'x');
    const IniFile file("[s]\r\nk=" + value + "\r\n");
    EXPECT_EQ(file.readString("s", "k", "", 256), value.substr(0, 255));
    EXPECT_EQ(file.find("s", "k"), value);
}

TEST(IniFileBytes, EmptyFileAndCopiesAnswerLikeTheOriginal) {
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
