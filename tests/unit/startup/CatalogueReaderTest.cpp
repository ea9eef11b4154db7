#include "startup/CatalogueReader.h"

#include "platform/MemoryProfileReader.h"
#include "platform/TextDecoding.h"

#include <gtest/gtest.h>
#include <string>

namespace quorix {
namespace {

const std::string Media = "d:\\quorix\\";

ClipCatalogue Read(const std::string& ini) {
    platform::MemoryProfileReader reader;
    reader.setFile(Media + "quorix.ini", ini);
    return ReadCatalogue(reader, Media);
}

TEST(ReadCatalogue, TheListEndsAtAGapOrAtTheFirstTitleWithoutAFile) {
    const ClipCatalogue gap = Read("[cliplist]\nclip00=One\nclip01=Two\nclip03=Four\nxpos03=9\n"
                                   "[filelist]\nOne=a.mpg\nTwo=b.mpg\nFour=d.mpg\n");
    EXPECT_EQ(gap.LastClip, 1);
    EXPECT_TRUE(gap.ClipTitles[3].empty());
    EXPECT_EQ(gap.ClipXPos[3], 0);
    EXPECT_EQ(Read("[cliplist]\nclip00=One\nclip01=Two\nclip02=Three\n"
                   "[filelist]\nOne=a.mpg\nThree=c.mpg\n")
                  .LastClip,
              0);
    EXPECT_EQ(Read("[cliplist]\nclip00=One\n[filelist]\nTwo=b.mpg\n").LastClip, -1);
    const ClipCatalogue same =
        Read("[cliplist]\nclip00=Same\nclip01=Same\n[filelist]\nSame=a.mpg\nSame=b.mpg\n");
    EXPECT_EQ(same.LastClip, 1);
    EXPECT_EQ(same.ClipFiles[1], "a.mpg");
}

TEST(ReadCatalogue, PlacingValuesAreReadForTitlesOnly) {
    const ClipCatalogue c = Read("[cliplist]\nclip00=A\nxpos00=2000\nypos00=&H0FA0\n"
                                 "clip01=B\nxpos01=\nypos01=1e20\n"
                                 "xpos05=7\n[filelist]\nA=a.mpg\nB=b.mpg\n");
    EXPECT_EQ(c.ClipXPos[0], 2000);
    EXPECT_EQ(c.ClipYPos[0], 4000);
    EXPECT_EQ(c.ClipXPos[1], 0);
    EXPECT_EQ(c.ClipYPos[1], 0); // does not fit 32 bits: as if absent
    EXPECT_EQ(c.ClipXPos[5], 0);
}

TEST(ReadCatalogue, AWindows1252TitleFindsItsFileAndIsShownDecoded) {
    // "Bär" as a disc authored on Windows stores it: one byte 0xE4 for the umlaut.
    const std::string title = "B\xE4r";
    const ClipCatalogue c =
        Read("[cliplist]\nclip00=" + title + "\n[filelist]\n" + title + "=baer.mpg\n");
    ASSERT_EQ(c.LastClip, 0);
    EXPECT_EQ(c.ClipFiles[0], "baer.mpg");
    EXPECT_EQ(platform::DecodeDisplayText(c.ClipTitles[0]), QString::fromUtf8("B\xC3\xA4r"));
}

} // namespace
} // namespace quorix
