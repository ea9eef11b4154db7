// The libFuzzer entry of one target, chosen by QUORIX_FUZZ_TARGET when the executable is built.
#include "FuzzTarget.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

const quorix::fuzz::FuzzTarget& ChosenTarget() {
    const auto targets = quorix::fuzz::FuzzTargets();
    const auto found = std::find_if(targets.begin(), targets.end(), [](const auto& target) {
        return target.name == QUORIX_FUZZ_TARGET;
    });
    if (found == targets.end()) {
        std::fprintf(stderr, "no fuzz target named %s\n", QUORIX_FUZZ_TARGET);
        std::abort();
    }
    return *found;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const quorix::fuzz::FuzzTarget& target = ChosenTarget();
    const std::string problem =
        target.run(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!problem.empty()) {
        // An abort is what libFuzzer reports as a finding, with the input kept as a crash file.
        std::fprintf(stderr, "fuzz target %s: %s\n", QUORIX_FUZZ_TARGET, problem.c_str());
        std::abort();
    }
    return 0;
}
