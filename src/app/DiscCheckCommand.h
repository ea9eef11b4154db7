#pragma once

#include <string>

namespace quorix {

// "quorix --check": finds the media folder from the current directory and the command-line text
// as start-up does, checks it on the real readers and media device (no picture, no sound), and
// prints the report on standard output. Returns the exit status: 0 when the disc is sound, 1 when
// it has problems, 2 when the current directory cannot be told. Needs the Qt application.
int RunDiscCheck(const std::string& startupText);

} // namespace quorix
