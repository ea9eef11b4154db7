#include "platform/FileProfileReader.h"

#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <unistd.h>

namespace quorix::platform {
namespace {

using namespace std::string_literals;
using testing_support::TempDir;

// Drive E: is the temporary folder.
class FileProfileReaderTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(disc.valid()); }

    FileProfileReader reader{PathResolver([this](const std::string& name) {
        return name == "QUORIX_DRIVE_E" ? std::optional<std::string>(disc.path().string())
                                        : std::nullopt;
    })};
    TempDir disc;
};

TEST_F(FileProfileReaderTest, ResolvesTheProgramPathCaseInsensitively) {
    disc.write("QUORIX/QUORIX.INI", "[Settings]\r\nMenuMode=1\r\n");
    EXPECT_EQ(reader.readString("settings", "menumode", "", 256, "e:\\quorix\\quorix.ini"), "1");
}

TEST_F(FileProfileReaderTest, MissingFolderOrEmptyFileGivesTheDefault) {
    std::filesystem::create_directories(disc.path() / "folder" / "quorix.ini");
    disc.write("empty/quorix.ini", "");
    for (const char* file :
         {"e:\\none\\quorix.ini", "e:\\", "e:\\folder\\quorix.ini", "e:\\empty\\quorix.ini"}) {
        EXPECT_EQ(reader.readString("s", "k", "d", 100, file), "d") << file;
    }
}

TEST_F(FileProfileReaderTest, UnreadableFileGivesTheDefault) {
    const std::filesystem::path file = disc.write("quorix.ini", "[s]\r\nk=v\r\n");
    std::filesystem::permissions(file, std::filesystem::perms::none);
    if (access(file.c_str(), R_OK) == 0) {
        GTEST_SKIP() << "permissions do not stop this user from reading";
    }
    EXPECT_EQ(reader.readString("s", "k", "d", 100, "e:\\quorix.ini"), "d");
}

TEST_F(FileProfileReaderTest, FileIsReadOnceAndKeptForLaterLookups) {
    const std::filesystem::path file = disc.write("quorix.ini", "[s]\r\nk=first\r\n");
    EXPECT_EQ(reader.readString("s", "k", "d", 100, "e:\\quorix.ini"), "first");
    disc.write("quorix.ini", "[s]\r\nk=second\r\nj=new\r\n");
    EXPECT_EQ(reader.readString("s", "k", "d", 100, "e:\\quorix.ini"), "first");
    EXPECT_EQ(reader.readString("s", "j", "d", 100, "e:\\quorix.ini"), "d");
    // Another file name is another file.
    disc.write("other.ini", "[s]\r\nk=other\r\n");
    EXPECT_EQ(reader.readString("s", "k", "d", 100, "e:\\other.ini"), "other");
}

TEST_F(FileProfileReaderTest, OnlyTheFirstMegabyteOfAHugeFileIsRead) {
    std::string bytes = "[first]\r\nk=start\r\n";
    for (int i = 0; bytes.size() < ProfileReadLimit - 100; ++i) {
        bytes += "[section" + std::to_string(i) + "]\r\nkey=value " + std::to_string(i) + "\r\n";
    }
    bytes += "[edge]\r\n";
    // This line runs across the limit: its value would be read cut in two.
    bytes += "k=" + std::string(ProfileReadLimit - bytes.size() + 10, 'x') + "\r\n";
    bytes += "[later]\r\nk=v\r\n";
    bytes += std::string(10 * ProfileReadLimit, '\n');
    disc.write("big.ini", bytes);

    EXPECT_EQ(reader.readString("first", "k", "d", 256, "e:\\big.ini"), "start");
    EXPECT_EQ(reader.readString("section7", "key", "d", 256, "e:\\big.ini"), "value 7");
    EXPECT_EQ(reader.readString("edge", "k", "d", 256, "e:\\big.ini"), "d");
    EXPECT_EQ(reader.readString("later", "k", "d", 256, "e:\\big.ini"), "d");

    // A file of exactly the limit is read whole.
    const std::string exact = "[s]\r\nk=" + std::string(ProfileReadLimit - 7, 'y');
    disc.write("exact.ini", exact);
    const auto read = ReadProfileFile((disc.path() / "exact.ini").string());
    ASSERT_TRUE(read);
    EXPECT_FALSE(read->cutShort);
    EXPECT_EQ(read->bytes, exact);
}

TEST_F(FileProfileReaderTest, BinaryGarbageAndNulBytesDoNotStopTheReader) {
    std::mt19937 random(20240229);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes;
    for (std::size_t i = 0; i < ProfileReadLimit - 100; ++i) {
        bytes += static_cast<char>(byte(random));
    }
    bytes += "\r\n[s]\r\nk=v\0w\r\n"s;
    disc.write("garbage.ini", bytes);
    EXPECT_EQ(reader.readString("s", "k", "d", 100, "e:\\garbage.ini"), "v\0w"s);
    EXPECT_EQ(reader.readString("s", "missing", "d", 100, "e:\\garbage.ini"), "d");
}

} // namespace
} // namespace quorix::platform
