#pragma once

#include "program/Program.h"

#include <string>
#include <vector>

namespace quorix::replay {

// The snapshots a scenario can print: one line per item, as the scenario format defines them.
std::string DumpState(const program::Program& program);
std::string DumpSettings(const program::Program& program);
std::vector<std::string> DumpCatalogue(const program::Program& program);
std::vector<std::string> DumpControls(const program::Program& program);

// The lines of the named controls only, in the order named; a bare array name ("clip") stands
// for all its elements. `missing` is set to the first name that matches no control on the form.
std::vector<std::string> DumpNamedControls(const program::Program& program,
                                           const std::vector<std::string>& names,
                                           std::string& missing);

} // namespace quorix::replay
