#include "check/CatalogueProblems.h"

#include "platform/MemoryProfileReader.h"
#include "startup/CatalogueReader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>

namespace quorix::check {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

const std::string Media = "d:\\quorix\\";

// The problems of a settings file, with the catalogue read from it as start-up reads it.
std::vector<std::string> Problems(const std::string& ini) {
    platform::MemoryProfileReader reader;
    reader.setFile(Media + "quorix.ini", ini);
    const ClipCatalogue catalogue = ReadCatalogue(reader, Media);
    return CatalogueProblems(reader, Media, catalogue);
}

std::string Numbered(const std::string& stem, int i) {
    return stem + (i < 10 ? "0" : "") + std::to_string(i);
}

// Titles 0 to titles - 1, each with a file entry, and more lines for [cliplist].
std::string FullList(int titles, const std::string& moreTitles = "") {
    std::string clips = "[cliplist]\n" + moreTitles;
    std::string files = "[filelist]\n";
    for (int i = 0; i < titles; ++i) {
        clips += Numbered("clip", i) + "=Title " + std::to_string(i) + "\n";
        files += "Title " + std::to_string(i) + "=c" + std::to_string(i) + ".mpg\n";
    }
    return clips + files;
}

TEST(CatalogueProblems, ASoundCatalogueHasNone) {
    EXPECT_THAT(Problems(FullList(1)), IsEmpty());
    EXPECT_THAT(Problems(FullList(16)), IsEmpty());
}

TEST(CatalogueProblems, TitlesAfterAGapOrBeyondTheSlotsAreNeverRead) {
    EXPECT_THAT(Problems("[cliplist]\nclip00=One\nclip01=Two\nclip03=Four\nclip05=Six\n"
                         "[filelist]\nOne=a.mpg\nTwo=b.mpg\nFour=d.mpg\n"),
                ElementsAre("clip03 \"Four\" comes after the gap at clip02 and is never read",
                            "clip05 \"Six\" comes after the gap at clip02 and is never read"));
    EXPECT_THAT(Problems(FullList(16, "clip16=Extra\n")),
                ElementsAre("clip16 \"Extra\" is never read: the catalogue holds 16 entries at "
                            "most"));
    // The last key an author can write with two digits is looked at too.
    EXPECT_THAT(Problems(FullList(2, "clip99=Far\n")),
                ElementsAre(HasSubstr("clip99 \"Far\" comes after the gap at clip02")));
}

TEST(CatalogueProblems, TheFirstTitleWithoutAFileEntryCutsOffTheRest) {
    EXPECT_THAT(Problems("[cliplist]\nclip00=One\nclip01=Two\nclip02=Three\nclip03=Four\n"
                         "[filelist]\nOne=a.mpg\nThree=c.mpg\n"),
                ElementsAre("clip01 \"Two\" has no entry in [filelist], so the catalogue ends "
                            "before it, cutting off clip02 \"Three\", clip03 \"Four\"",
                            "clip03 \"Four\" has no entry in [filelist]"));
    // The last title cuts off nothing.
    EXPECT_THAT(Problems("[cliplist]\nclip00=One\nclip01=Two\n[filelist]\nOne=a.mpg\n"),
                ElementsAre("clip01 \"Two\" has no entry in [filelist], so the catalogue ends "
                            "before it"));
}

TEST(CatalogueProblems, ARepeatedTitleSharesTheFileOfTheFirst) {
    EXPECT_THAT(Problems("[cliplist]\nclip00=One\nclip01=Two\nclip02=One\nclip03=One\n"
                         "[filelist]\nOne=a.mpg\nTwo=b.mpg\n"),
                ElementsAre(HasSubstr("clip02 \"One\" repeats the title of clip00"),
                            HasSubstr("clip03 \"One\" repeats the title of clip00")));
}

TEST(CatalogueProblems, NoPlayableEntryIsTheStartUpStop) {
    const std::string stop = "no playable entry, so the presenter stops at once with \"Video "
                             "file(s) not found! Sorry, cannot play anything.\"";
    EXPECT_THAT(Problems(""), ElementsAre(stop));
    EXPECT_THAT(Problems("[cliplist]\nclip01=Two\n[filelist]\nTwo=b.mpg\n"),
                ElementsAre(HasSubstr("clip01 \"Two\" comes after the gap at clip00"), stop));
    EXPECT_THAT(Problems("[cliplist]\nclip00=One\n"),
                ElementsAre(HasSubstr("clip00 \"One\" has no entry"), stop));
}

TEST(CatalogueProblems, TitlesAreShownAsTheMenuDecodesThem) {
    EXPECT_THAT(Problems("[cliplist]\nclip00=B\xe4r\nclip02=M\xfc"
                         "de\n[filelist]\nB\xe4r=b.mpg\n"),
                ElementsAre("clip02 \"M\xc3\xbc"
                            "de\" comes after the gap at clip01 and is never read"));
}

} // namespace
} // namespace quorix::check
