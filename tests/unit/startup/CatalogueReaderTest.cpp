#include "startup/CatalogueReader.h"

#include "platform/MemoryProfileReader.h"

#include <gtest/gtest.h>
#include <string>

namespace quorix::startup {
namespace {

const std::string Media = "d:\\quorix\\";

program::ClipCatalogue Read(const std::string& ini) {
    platform::MemoryProfileReader reader;
    reader.setFile(Media + "quorix.ini", ini);
    return ReadCatalogue(reader, Media);
}

// The list also ends at the first title without a file: the check command's test reads such a disc.
TEST(ReadCatalogue, TheListEndsAtAGapAndPlacingValuesWantATitleAndANumber) {
    const auto gap = Read("[cliplist]\nclip00=One\nclip01=Two\nclip03=Four\nxpos03=9\n"
                          "[filelist]\nOne=a.mpg\nTwo=b.mpg\nFour=d.mpg\n");
    EXPECT_EQ(gap.LastClip, 1);
    EXPECT_TRUE(gap.ClipTitles[3].empty());
    EXPECT_EQ(gap.ClipXPos[3], 0);

    // Placing values are read for titles only, and as absent where they hold no 32-bit number.
    const auto c = Read("[cliplist]\nclip00=A\nclip01=B\nxpos01=\nypos01=1e20\n"
                        "xpos05=7\n[filelist]\nA=a.mpg\nB=b.mpg\n");
    EXPECT_EQ(c.ClipXPos[1], 0);
    EXPECT_EQ(c.ClipYPos[1], 0);
    EXPECT_EQ(c.ClipXPos[5], 0);
}

} // namespace
} // namespace quorix::startup
