#pragma once

#include "program/Program.h"

#include <string>
#include <vector>

namespace quorix::replay {

// The snapshots a scenario can print: one line per item, as the scenario format defines them.
std::string DumpState(const Program& program);
std::string DumpSettings(const Program& program);
std::vector<std::string> DumpCatalogue(const Program& program);
std::vector<std::string> DumpControls(const Program& program);

} // namespace quorix::replay
