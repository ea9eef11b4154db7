#pragma once

#include <string>
#include <string_view>

namespace quorix::replay {

// A line-by-line difference of two texts in the unified style ("-" expected, "+" actual, " "
// common), for showing why a transcript does not match. Empty when the texts are equal.
std::string LineDiff(std::string_view expected, std::string_view actual);

} // namespace quorix::replay
