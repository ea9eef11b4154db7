#pragma once

#include <string>
#include <string_view>

namespace quorix::startup {

// The fixed media folder that "/debug" on the command line selects.
inline constexpr std::string_view DebugMediaPath = "e:\\quorixroot\\quorix\\";

// The media folder, from the current directory, the command-line text after the program name and
// the host's path separator ('\\' or '/'). The result always ends in the separator.
std::string FindMediaPath(std::string_view currentDirectory, std::string_view commandLine,
                          char separator);

} // namespace quorix::startup
