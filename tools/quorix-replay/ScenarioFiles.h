#pragma once

#include "Scenario.h"

#include <filesystem>
#include <string>

namespace quorix::replay {

// Writes the text file of a "file" command: its lines with CR LF line ends, as UTF-8 or, when the
// first line is "encoding cp1252", as Windows-1252 bytes. Creates the folders on the way. Returns
// an error text, empty on success.
std::string WriteScenarioFile(const std::filesystem::path& path, const ScenarioCommand& command);

// Writes a placeholder clip file; the scripted device never decodes it.
std::string WritePlaceholderClip(const std::filesystem::path& path, long long frames);

} // namespace quorix::replay
