#pragma once

#include <string>
#include <vector>

namespace quorix::check {

// What the reader makes of the settings file as a whole, before any key is looked up.
struct SettingsFileChecks {
    std::vector<std::string> lines;    // how its text is read, when that is not plain bytes
    std::vector<std::string> problems; // one line each
};

// Reads the settings file at `hostPath` (a regular file) as the presenter does. Lines: a
// byte-order mark, and the encoding it makes the reader use. Problems: a file that cannot be read,
// and a file larger than the reader reads, whose rest the presenter ignores.
SettingsFileChecks CheckSettingsFile(const std::string& hostPath);

} // namespace quorix::check
