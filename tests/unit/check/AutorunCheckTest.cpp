#include "check/AutorunCheck.h"

#include "../platform/TempDir.h"

#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace quorix::check {
namespace {

using platform::testing_support::TempDir;
using ::testing::ElementsAre;

// The file is looked for beside the media folder, at the medium's root, under each of the names
// of the convention; one that cannot be run is named as such.
TEST(AutorunCheck, LooksAtTheMediumsRootAboveTheMediaFolder) {
    TempDir medium;
    ASSERT_TRUE(medium.valid());
    namespace fs = std::filesystem;
    const fs::path root = medium.path();
    fs::create_directory(root / "quorix");
    const std::string media = (root / "quorix").string() + "/";
    EXPECT_THAT(DescribeAutorun(media),
                ElementsAre("Autorun: none at " + root.string() +
                            " (a desktop will not offer to start the presenter when the medium "
                            "is inserted)"));

    std::ofstream(root / "quorix" / "autorun") << "#!/bin/sh\n";
    std::ofstream(root / "autorun.sh") << "#!/bin/sh\n";
    EXPECT_THAT(DescribeAutorun(media),
                ElementsAre("Autorun: " + (root / "autorun.sh").string() +
                            " (not executable: a desktop will not run it)"));

    std::ofstream(root / ".autorun") << "#!/bin/sh\n";
    fs::permissions(root / ".autorun", fs::perms::owner_exec, fs::perm_options::add);
    EXPECT_THAT(DescribeAutorun(media), ElementsAre("Autorun: " + (root / ".autorun").string()));
}

} // namespace
} // namespace quorix::check
