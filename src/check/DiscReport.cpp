#include "check/DiscReport.h"

namespace quorix::check {

std::string ReportText(const DiscReport& report) {
    std::string text;
    for (const std::string& line : report.lines) {
        text += line + "\n";
    }
    text += "\n";
    for (const std::string& problem : report.problems) {
        text += "problem: " + problem + "\n";
    }
    const std::size_t count = report.problems.size();
    if (count == 0) {
        text += "No problems found.\n";
    } else {
        text += std::to_string(count) + (count == 1 ? " problem" : " problems") + " found.\n";
    }
    return text;
}

} // namespace quorix::check
