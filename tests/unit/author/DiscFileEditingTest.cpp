// How the authoring program edits a disc's settings file: the document that keeps every byte it
// does not change, the catalogue of titles and files in it, and saving it in the encoding it needs.
#include "SampleDisc.h"
#include "author/DiscCatalogue.h"
#include "author/IniDocument.h"
#include "author/SettingsFile.h"
#include "platform/IniFile.h"
#include "platform/MemoryProfileReader.h"

#include <filesystem>
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
    // A hand-written file, LF and CR endings, UTF-8 text, and bytes Windows-1252 leaves undefined.
    // The window's tests save the Windows-1252 sample disc.
    for (const std::string& bytes :
         {HandWritten, std::string("[s]\nk=v\n\n"), std::string("[s]\rk=v"),
          std::string("[s]\r\nk=B\xC3\xA4r\r\n"), std::string("[s]\r\nk=\x81\x8D\x9D\xE4\r\n"),
          std::string()}) {
        const IniDocument document = IniDocument::FromBytes(bytes);
        EXPECT_EQ(Bytes(document), bytes);
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

    // A byte-order mark makes even plain ASCII UTF-8, and stays with it.
    IniDocument marked = IniDocument::FromBytes("\xEF\xBB\xBF[s]\r\nk=v\r\n");
    EXPECT_EQ(marked.value("s", "k"), "v");
    EXPECT_EQ(SavingEncoding(marked), TextEncoding::Utf8);
    marked.setValue("s", "k", "w");
    EXPECT_EQ(marked.toBytes(TextEncoding::Utf8), "\xEF\xBB\xBF[s]\r\nk=w\r\n");
    EXPECT_EQ(marked.toBytes(TextEncoding::Windows1252), "[s]\r\nk=w\r\n");
}

std::vector<std::string> PresenterCatalogue(const std::string& bytes) {
    platform::MemoryProfileReader reader;
    reader.setFile("/quorix.ini", bytes);
    return testing_support::PlayableEntries(startup::ReadCatalogue(reader, "/"));
}

TEST(DiscCatalogueTest, ReorderingAddingAndRemovingKeepWhatThePresenterReadsInStep) {
    IniDocument document = IniDocument::FromBytes(
        "[settings]\r\nintro=1\r\n[cliplist]\r\nclip00=A\r\nxpos00=2000\r\nypos00=3000\r\n"
        "clip01=B\r\nxpos01=4000\r\nypos01=5000\r\nclip02=C\r\n; keep me\r\n"
        "[filelist]\r\nA=a.mpg\r\nb=b.mpg\r\nC=c.mpg\r\nspare=x.mpg\r\n");
    DiscCatalogue catalogue = ReadDiscCatalogue(document);
    ASSERT_EQ(catalogue.intro, 1);
    // B moves to the top (the intro goes with it), C goes, D comes.
    std::swap(catalogue.entries[0], catalogue.entries[1]);
    catalogue.intro = 0;
    catalogue.entries.pop_back();
    catalogue.entries.push_back({"D", "clips\\d.mpg", "", "", ""});
    WriteDiscCatalogue(document, catalogue);
    EXPECT_EQ(Bytes(document),
              "[settings]\r\nintro=0\r\n[cliplist]\r\nclip00=B\r\nxpos00=4000\r\n"
              "ypos00=5000\r\nclip01=A\r\nxpos01=2000\r\nypos01=3000\r\nclip02=D\r\n"
              "; keep me\r\n[filelist]\r\nA=a.mpg\r\nb=b.mpg\r\nspare=x.mpg\r\nD=clips\\d.mpg\r\n");

    // Two titles that trade names keep their own files.
    catalogue.entries[0].title = "A";
    catalogue.entries[1].title = "B";
    WriteDiscCatalogue(document, catalogue);
    EXPECT_EQ(PresenterCatalogue(Bytes(document)),
              (std::vector<std::string>{"A=b.mpg", "B=a.mpg", "D=clips\\d.mpg"}));

    // No intro and the closing logo: written only because they now read differently.
    catalogue.intro = -1;
    catalogue.closingLogo = true;
    catalogue.entries.resize(1);
    WriteDiscCatalogue(document, catalogue);
    const IniDocument written = IniDocument::FromBytes(Bytes(document));
    EXPECT_EQ(written.value("settings", "intro"), "-1");
    EXPECT_EQ(written.value("settings", "logomode"), "1");
    EXPECT_EQ(written.keys("cliplist"), QStringList({"clip00", "xpos00", "ypos00"}));
    EXPECT_EQ(written.keys("filelist"), QStringList({"A", "spare"}));
}

TEST(SettingsFileTest, AMissingFileIsANewDocumentAndAFolderIsRefused) {
    platform::testing_support::TempDir folder;
    const QString name = QString::fromStdString((folder.path() / "quorix.ini").string());
    const LoadedSettingsFile missing = LoadSettingsFile(name);
    EXPECT_TRUE(missing.document && !missing.existed);
    std::filesystem::create_directory(folder.path() / "quorix.ini");
    const LoadedSettingsFile folderNamedLikeIt = LoadSettingsFile(name);
    EXPECT_FALSE(folderNamedLikeIt.document);
    EXPECT_TRUE(folderNamedLikeIt.error.contains("not a file"));
}

} // namespace
} // namespace quorix::author
