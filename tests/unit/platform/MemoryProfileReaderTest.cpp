#include "platform/MemoryProfileReader.h"

#include <gtest/gtest.h>

namespace quorix::platform {
namespace {

TEST(MemoryProfileReader, AnswersFromTheFileSetForThatName) {
    MemoryProfileReader reader;
    reader.setFile("c:\\disc\\quorix.ini", "[s]\r\nk=v\r\n");
    EXPECT_EQ(reader.readString("S", "K", "d", 256, "c:\\disc\\quorix.ini"), "v");
    // Names are not resolved: another spelling is another, missing, file.
    EXPECT_EQ(reader.readString("s", "k", "d", 256, "C:\\DISC\\quorix.ini"), "d");
    EXPECT_EQ(reader.readString("s", "k", "default", 4, "c:\\other.ini"), "def");

    reader.setFile("c:\\disc\\quorix.ini", "[s]\r\nk=replaced\r\n");
    EXPECT_EQ(reader.readString("s", "k", "d", 256, "c:\\disc\\quorix.ini"), "replaced");
}

TEST(MemoryProfileReader, RecordsEveryLookupInOrder) {
    MemoryProfileReader reader;
    reader.readString("settings", "widemode", "", 256, "a.ini");
    reader.readString("font", "factor", "3495", 256, "a.ini");
    const std::vector<MemoryProfileReader::Lookup> expected = {
        {"settings", "widemode", "", 256, "a.ini"},
        {"font", "factor", "3495", 256, "a.ini"},
    };
    EXPECT_EQ(reader.lookups(), expected);
}

} // namespace
} // namespace quorix::platform
