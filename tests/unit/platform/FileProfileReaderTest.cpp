#include "platform/FileProfileReader.h"

#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace quorix::platform {
namespace {

// Drive E: is the temporary folder.
class FileProfileReaderTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(disc.valid()); }
    std::string read(const char* section, const char* key, const char* file) {
        return reader.readString(section, key, "d", 256, file);
    }

    testing_support::TempDir disc;
    FileProfileReader reader{PathResolver([this](const std::string& name) {
        return name == "QUORIX_DRIVE_E" ? std::optional(disc.path().string()) : std::nullopt;
    })};
};

TEST_F(FileProfileReaderTest, ResolvesThePathCaseInsensitivelyAndKeepsWhatItRead) {
    disc.write("QUORIX/QUORIX.INI", "[Settings]\r\nMenuMode=1\r\n");
    EXPECT_EQ(read("settings", "menumode", "e:\\quorix\\quorix.ini"), "1");
    // Read once: later changes to the file are not seen; another name is another file.
    disc.write("QUORIX/QUORIX.INI", "[Settings]\r\nMenuMode=2\r\nj=new\r\n");
    EXPECT_EQ(read("settings", "menumode", "e:\\quorix\\quorix.ini"), "1");
    EXPECT_EQ(read("settings", "j", "e:\\quorix\\quorix.ini"), "d");
    disc.write("other.ini", "[s]\r\nk=other\r\n");
    EXPECT_EQ(read("s", "k", "e:\\other.ini"), "other");
}

// A folder in a file's place is what no user, root included, can read as a file.
TEST_F(FileProfileReaderTest, MissingEmptyOrUnreadableFileGivesTheDefault) {
    std::filesystem::create_directories(disc.path() / "folder" / "quorix.ini");
    disc.write("empty/quorix.ini", "");
    for (const char* file :
         {"e:\\none\\quorix.ini", "e:\\", "e:\\folder\\quorix.ini", "e:\\empty\\quorix.ini"}) {
        EXPECT_EQ(read("s", "k", file), "d") << file;
    }
}

} // namespace
} // namespace quorix::platform
