#include "author/DiscCatalogue.h"

#include "SampleDisc.h"
#include "platform/MemoryProfileReader.h"

#include <gtest/gtest.h>

namespace quorix::author {
namespace {

std::string Bytes(const IniDocument& document) {
    return document.toBytes(document.readEncoding());
}

// What the presenter's start-up reads from the bytes: title and file of each playable entry.
std::vector<std::string> PresenterCatalogue(const std::string& bytes) {
    platform::MemoryProfileReader reader;
    reader.setFile("/quorix.ini", bytes);
    return testing_support::PlayableEntries(ReadCatalogue(reader, "/"));
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
    const std::string bytes = Bytes(document);
    EXPECT_EQ(bytes, "[settings]\r\nintro=0\r\n[cliplist]\r\nclip00=B\r\nxpos00=4000\r\n"
                     "ypos00=5000\r\nclip01=A\r\nxpos01=2000\r\nypos01=3000\r\nclip02=D\r\n"
                     "; keep me\r\n[filelist]\r\nA=a.mpg\r\nb=b.mpg\r\nspare=x.mpg\r\n"
                     "D=clips\\d.mpg\r\n");
    EXPECT_EQ(PresenterCatalogue(bytes),
              (std::vector<std::string>{"B=b.mpg", "A=a.mpg", "D=clips\\d.mpg"}));

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

TEST(DiscCatalogueTest, ATitleThatCannotBeAKeyGetsNoFileEntry) {
    IniDocument document;
    DiscCatalogue catalogue;
    catalogue.entries.push_back({"a=b", "x.mpg", "", "", ""});
    catalogue.entries.push_back({"Fine", "f.mpg", "", "", ""});
    WriteDiscCatalogue(document, catalogue);
    EXPECT_EQ(document.keys("filelist"), QStringList({"Fine"}));
    EXPECT_EQ(document.value("cliplist", "clip00"), "a=b");
    // The intro key is absent: the presenter takes the first entry, as asked.
    EXPECT_FALSE(document.value("settings", "intro").has_value());
    // An intro beyond the entries could not be played: it is written as none.
    catalogue.intro = 5;
    WriteDiscCatalogue(document, catalogue);
    EXPECT_EQ(document.value("settings", "intro"), "-1");
}

} // namespace
} // namespace quorix::author
