#pragma once

#include <filesystem>

namespace quorix::replay {

enum class Mode {
    Print, // the transcript on standard output
    Check, // compare with the scenario's sibling .out file
};

// Runs one scenario file. Returns the process's exit status: 0 when it ran (and, checking, the
// transcript matched), 1 on a mismatch, 2 when the scenario could not be read or run.
int RunScenario(const std::filesystem::path& scenarioFile, Mode mode);

} // namespace quorix::replay
