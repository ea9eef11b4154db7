#include "author/IniDocument.h"

#include "SampleDisc.h"
#include "platform/IniFile.h"

#include <gtest/gtest.h>

namespace quorix::author {
namespace {

std::string Bytes(const IniDocument& document) {
    return document.toBytes(document.readEncoding());
}

// What a text editor may leave: comments, blank lines, odd case, blanks around "=", quotes, a
// key without "=", repeats, unknown names, a line before any section, no final line break.
const std::string HandWritten = "; disc for the fair\r\n"
                                "stray=before any section\r\n"
                                "[Settings]\r\n"
                                "  MenuMode = 1\r\n"
                                "; the intro is the welcome clip\r\n"
                                "intro=0\r\n"
                                "colour=blue\r\n"
                                "\r\n"
                                "[extra]\r\n"
                                "owner=Ann\r\n"
                                "[CLIPLIST]\r\n"
                                "CLIP00=Welcome\r\n"
                                "clip01=\"  Open Sea  \"\r\n"
                                "clip01=Shadowed\r\n"
                                "lonely\r\n"
                                "[filelist]\r\n"
                                "welcome=welcome.mpg\r\n"
                                "  Open Sea=sea.mpg\r\n"
                                "[settings]\r\n"
                                "menumode=0";

TEST(IniDocumentTest, UnchangedFilesComeBackByteForByte) {
    const std::string sample = testing_support::ReadBytes(QUORIX_SAMPLE_DISC "/quorix.ini");
    ASSERT_FALSE(sample.empty());
    // The Windows-1252 sample, a hand-written file, LF and CR endings, UTF-8 text, and bytes
    // Windows-1252 leaves undefined.
    for (const std::string& bytes :
         {sample, HandWritten, std::string("[s]\nk=v\n\n"), std::string("[s]\rk=v"),
          std::string("[s]\r\nk=B\xC3\xA4r\r\n"), std::string("[s]\r\nk=\x81\x8D\x9D\xE4\r\n"),
          std::string()}) {
        const IniDocument document = IniDocument::FromBytes(bytes);
        EXPECT_EQ(Bytes(document), bytes);
    }
}

TEST(IniDocumentTest, LooksUpKeysAsThePresenterDoes) {
    const IniDocument document = IniDocument::FromBytes(HandWritten);
    const platform::IniFile presenter(HandWritten);
    for (const char* section : {"settings", "cliplist", "filelist", "extra", "font"}) {
        for (const char* key : {"menumode", "intro", "colour", "clip00", "clip01", "lonely",
                                "Welcome", "Open Sea", "owner", "stray", "factor"}) {
            const auto expected = presenter.find(section, key);
            const auto actual = document.value(section, key);
            ASSERT_EQ(actual.has_value(), expected.has_value()) << section << " " << key;
            if (expected) {
                EXPECT_EQ(actual->toStdString(), std::string(*expected)) << section << " " << key;
            }
        }
    }
    EXPECT_EQ(document.keys("settings"), QStringList({"MenuMode", "intro", "colour"}));

    // Blanks of every kind around names and values, right up to the "=".
    const std::string blanks = "[s]\r\nk\t=x\r\nv = y  \r\n  w\t\v=\x1az\x1a\r\n";
    const IniDocument spaced = IniDocument::FromBytes(blanks);
    const platform::IniFile spacedPresenter(blanks);
    for (const char* key : {"k", "v", "w"}) {
        ASSERT_TRUE(spaced.value("s", key).has_value()) << key;
        EXPECT_EQ(spaced.value("s", key)->toStdString(), *spacedPresenter.find("s", key)) << key;
    }
}

TEST(IniDocumentTest, WritesValuesSoThatTheyReadBackUnchanged) {
    IniDocument document;
    const QStringList values = {" lead", "trail\t", "\"quoted\"",      "'single'", "\"",
                                "a=b",   "",        "; not a comment", "\"half"};
    for (qsizetype i = 0; i < values.size(); ++i) {
        document.setValue("s", QStringLiteral("k%1").arg(i), values[i]);
    }
    const std::string bytes = Bytes(document);
    const platform::IniFile presenter(bytes);
    for (qsizetype i = 0; i < values.size(); ++i) {
        const auto read = presenter.find("s", QStringLiteral("k%1").arg(i).toStdString());
        ASSERT_TRUE(read.has_value()) << i;
        EXPECT_EQ(QString::fromStdString(std::string(*read)), values[i]);
    }
    document.setValue("s", "k0", "line\r\nbreak");
    EXPECT_EQ(document.value("s", "k0"), "line  break");
}

TEST(IniDocumentTest, NewKeysAndSectionsGoWhereAnAuthorExpectsThem) {
    IniDocument document = IniDocument::FromBytes("[font]\r\nbold=1\r\n\r\n; clips\r\n"
                                                  "[cliplist]\r\nclip00=A\r\n[x]\r\ny=1");
    document.setValue("font", "italic", "0");
    document.setValue("settings", "menumode", "1");
    document.setValue("filelist", "A", "a.mpg");
    document.setValue("X", "z", "2");
    document.setValue("cliplist", "LONELY", "now set");
    EXPECT_EQ(Bytes(document), "[settings]\r\nmenumode=1\r\n\r\n"
                               "[font]\r\nbold=1\r\nitalic=0\r\n\r\n; clips\r\n"
                               "[cliplist]\r\nclip00=A\r\nLONELY=now set\r\n"
                               "[filelist]\r\nA=a.mpg\r\n\r\n[x]\r\ny=1\r\nz=2\r\n");

    IniDocument fresh;
    fresh.setValue("filelist", "A", "a.mpg");
    fresh.setValue("cliplist", "clip00", "A");
    fresh.setValue("settings", "menumode", "1");
    EXPECT_EQ(Bytes(fresh), "[settings]\r\nmenumode=1\r\n\r\n[cliplist]\r\nclip00=A\r\n\r\n"
                            "[filelist]\r\nA=a.mpg\r\n");

    // An LF file keeps LF; a key without "=" gets one.
    IniDocument unix = IniDocument::FromBytes("[s]\nkey\n");
    unix.setValue("s", "KEY", "v");
    unix.setValue("s", "other", "w");
    EXPECT_EQ(Bytes(unix), "[s]\nkey=v\nother=w\n");
}

TEST(IniDocumentTest, EditsRewriteOnlyTheLinesOfTheKeysThePresenterReads) {
    IniDocument document = IniDocument::FromBytes(HandWritten);
    document.setValue("settings", "menumode", "0");
    document.setValue("cliplist", "clip00", "Sunrise");
    document.removeKey("cliplist", "clip01");
    EXPECT_FALSE(document.value("cliplist", "clip01").has_value());
    EXPECT_TRUE(document.renameKey("filelist", "open sea", "Deep Sea"));
    EXPECT_FALSE(document.renameKey("filelist", "missing", "x"));
    std::string expected = HandWritten;
    expected.replace(expected.find("  MenuMode = 1"), 14, "  MenuMode = 0");
    expected.replace(expected.find("CLIP00=Welcome"), 14, "CLIP00=Sunrise");
    const std::string both = "clip01=\"  Open Sea  \"\r\nclip01=Shadowed\r\n";
    expected.erase(expected.find(both), both.size());
    expected.replace(expected.find("  Open Sea=sea.mpg"), 18, "  Deep Sea=sea.mpg");
    EXPECT_EQ(Bytes(document), expected);

    IniDocument last = IniDocument::FromBytes("[s]\r\na=1\r\nb=2");
    last.removeKey("s", "b");
    EXPECT_EQ(Bytes(last), "[s]\r\na=1");
    last.removeKey("s", "a");
    EXPECT_EQ(Bytes(last), "[s]");
}

TEST(IniDocumentTest, ChoosesTheEncodingFromWhatTheTextNeeds) {
    IniDocument latin = IniDocument::FromBytes("[cliplist]\r\nclip00=B\xE4r\r\nclip01=x\r\n");
    EXPECT_EQ(latin.readEncoding(), TextEncoding::Windows1252);
    EXPECT_EQ(latin.value("cliplist", "clip00"), QString::fromUtf8("B\xC3\xA4r"));
    EXPECT_TRUE(latin.fitsWindows1252());
    latin.setValue("cliplist", "clip01", QString::fromUtf8("\xE2\x82\xAC 5")); // the euro sign
    EXPECT_TRUE(latin.fitsWindows1252());
    EXPECT_EQ(latin.toBytes(TextEncoding::Windows1252),
              "[cliplist]\r\nclip00=B\xE4r\r\nclip01=\x80 5\r\n");
    latin.setValue("cliplist", "clip01", QString::fromUtf8("\xD0\x9C\xD0\xB8\xD1\x80")); // Cyrillic
    EXPECT_FALSE(latin.fitsWindows1252());
    // Every line is written in the one encoding, the lines read as Windows-1252 too.
    EXPECT_EQ(latin.toBytes(TextEncoding::Utf8),
              "[cliplist]\r\nclip00=B\xC3\xA4r\r\nclip01=\xD0\x9C\xD0\xB8\xD1\x80\r\n");

    const IniDocument utf8 = IniDocument::FromBytes("[s]\r\nk=B\xC3\xA4r\r\n");
    EXPECT_EQ(utf8.readEncoding(), TextEncoding::Utf8);
    EXPECT_EQ(utf8.toBytes(TextEncoding::Windows1252), "[s]\r\nk=B\xE4r\r\n");

    const IniDocument marked = IniDocument::FromBytes("\xEF\xBB\xBF[s]\r\nk=v\r\n");
    EXPECT_TRUE(marked.changedOnRead());
    EXPECT_EQ(marked.value("s", "k"), "v");
    EXPECT_EQ(marked.toBytes(TextEncoding::Windows1252), "[s]\r\nk=v\r\n");
}

TEST(IniDocumentTest, TellsWhichTitlesCannotBeKeys) {
    EXPECT_TRUE(IniDocument::KeyNameProblem("Open Sea").isEmpty());
    for (const char* bad : {"", " lead", "a=b", ";x", "[x", "two\nlines"}) {
        EXPECT_FALSE(IniDocument::KeyNameProblem(bad).isEmpty()) << bad;
    }
}

} // namespace
} // namespace quorix::author
