#include "FuzzTarget.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace quorix::fuzz {

// Names the target, not its bytes, where gtest prints a parameter.
static void PrintTo(const FuzzTarget& target, std::ostream* out) {
    *out << target.name;
}

namespace {

namespace fs = std::filesystem;

class FuzzInputs : public ::testing::TestWithParam<FuzzTarget> {};

// Every kept input and seed still passes its target's checks. An input that once crashed the
// target is caught here too where the normal build crashes on it; where it does not (a heap fault
// only a sanitizer sees), the fuzz build's own replay of the same folders catches it.
TEST_P(FuzzInputs, PassTheirChecks) {
    const FuzzTarget& target = GetParam();
    const fs::path root(QUORIX_FUZZ_INPUTS);
    std::vector<fs::path> files;
    for (const char* kind : {"regressions", "corpus"}) {
        std::error_code error;
        for (fs::directory_iterator entry(root / kind / target.name, error);
             !error && entry != fs::directory_iterator(); entry.increment(error)) {
            files.push_back(entry->path());
        }
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        std::ostringstream bytes;
        bytes << std::ifstream(file, std::ios::binary).rdbuf();
        EXPECT_EQ(target.run(bytes.str()), "") << file;
    }
    // Every target ships with seeds; none found means the folders moved.
    EXPECT_FALSE(files.empty()) << "no inputs under " << root;
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzInputs, ::testing::ValuesIn(FuzzTargets()),
                         [](const ::testing::TestParamInfo<FuzzTarget>& param) {
                             return std::string(param.param.name);
                         });

} // namespace
} // namespace quorix::fuzz
