#pragma once

#include "app/CommandLine.h"

namespace quorix::app {

// Readies the toolkit for the check before the Qt application is made: no display, and no word
// about a runtime folder the check never uses.
void PrepareToolkitForCheck();

// "quorix --check": finds the media folder from the current directory and the command-line text
// as start-up does, checks it on the real readers and media device (no picture, no sound) and
// with the menu laid out for the command line's screen size, and prints the report on standard
// output. Returns the exit status: 0 when the disc is sound, 1 when it has problems, 2 when the
// current directory cannot be told. Needs the Qt application.
int RunDiscCheck(const CommandLine& line);

} // namespace quorix::app
