#include "FuzzTarget.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace quorix::fuzz {

// Names the target, not its bytes, where gtest prints a parameter.
static void PrintTo(const FuzzTarget& target, std::ostream* out) {
    *out << target.name;
}

namespace {

namespace fs = std::filesystem;

// The files of one input folder, in name order; none when the folder does not exist.
std::vector<fs::path> InputsIn(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error); !error && entry != fs::directory_iterator();
         entry.increment(error)) {
        if (entry->is_regular_file()) {
            files.push_back(entry->path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class FuzzInputs : public ::testing::TestWithParam<FuzzTarget> {};

// Every kept input and seed still passes its target's checks. An input that once crashed the
// target is caught here too where the normal build crashes on it; where it does not (a heap fault
// only a sanitizer sees), the fuzz build's own replay of the same folders catches it.
TEST_P(FuzzInputs, PassTheirChecks) {
    const FuzzTarget& target = GetParam();
    const fs::path root(QUORIX_FUZZ_INPUTS);
    std::size_t replayed = 0;
    for (const char* kind : {"regressions", "corpus"}) {
        for (const fs::path& file : InputsIn(root / kind / target.name)) {
            EXPECT_EQ(target.run(ReadBytes(file)), "") << file;
            ++replayed;
        }
    }
    // Every target ships with seeds; none found means the folders moved.
    EXPECT_GT(replayed, 0U) << "no inputs under " << root;
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzInputs, ::testing::ValuesIn(FuzzTargets()),
                         [](const ::testing::TestParamInfo<FuzzTarget>& param) {
                             return std::string(param.param.name);
                         });

} // namespace
} // namespace quorix::fuzz
