#pragma once

#include <string>
#include <vector>

namespace quorix::check {

// What the disc check found, for a disc author: the description of the disc (settings, catalogue
// entries, pictures) as lines of text, and every problem as one line of its own.
struct DiscReport {
    std::vector<std::string> lines;
    std::vector<std::string> problems;

    bool sound() const { return problems.empty(); }
};

// The report as printed: the description, then each problem on a line that begins "problem: ",
// then one closing line that says how many problems there are.
std::string ReportText(const DiscReport& report);

} // namespace quorix::check
