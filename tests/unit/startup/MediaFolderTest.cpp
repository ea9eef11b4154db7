#include "startup/MediaFolder.h"

#include <gtest/gtest.h>
#include <string>

namespace quorix {
namespace {

struct FolderCase {
    std::string currentDirectory;
    std::string commandLine;
    char separator;
    std::string mediaPath;
};

class FindMediaPathFrom : public testing::TestWithParam<FolderCase> {};

TEST_P(FindMediaPathFrom, CurrentDirectoryAndCommandLine) {
    const FolderCase& c = GetParam();
    EXPECT_EQ(FindMediaPath(c.currentDirectory, c.commandLine, c.separator), c.mediaPath);
}

INSTANTIATE_TEST_SUITE_P(
    WindowsPaths, FindMediaPathFrom,
    testing::Values(FolderCase{"D:\\", "", '\\', "d:\\quorix\\"},
                    FolderCase{"D:\\QUORIX", "", '\\', "d:\\quorix\\"},
                    FolderCase{"F:\\Media\\Quorix Disc\\Clips", "", '\\',
                               "f:\\media\\quorix disc\\clips\\"},
                    FolderCase{"F:\\Media", "", '\\', "f:\\media\\quorix\\"},
                    FolderCase{"d:\\quorix\\", "", '\\', "d:\\quorix\\"},
                    FolderCase{"D:\\", "x/debugx", '\\', "e:\\quorixroot\\quorix\\"},
                    FolderCase{"F:\\Media", "/a /debug", '\\', "e:\\quorixroot\\quorix\\"},
                    FolderCase{"F:\\Media", "/DEBUG", '\\', "f:\\media\\quorix\\"},
                    FolderCase{"F:\\Media", "/Debug", '\\', "f:\\media\\quorix\\"}));

INSTANTIATE_TEST_SUITE_P(
    HostPaths, FindMediaPathFrom,
    testing::Values(FolderCase{"/", "", '/', "/quorix/"},
                    FolderCase{"/media/cdrom", "", '/', "/media/cdrom/quorix/"},
                    FolderCase{"/home/a/Quorix Disc", "", '/', "/home/a/quorix disc/"},
                    FolderCase{"/MEDIA/QUORIX/", "", '/', "/media/quorix/"},
                    FolderCase{"/media/Ärger", "", '/', "/media/Ärger/quorix/"},
                    FolderCase{"/media/cdrom", "--x /debug", '/', "e:\\quorixroot\\quorix\\"}));

} // namespace
} // namespace quorix
