#include "LineDiff.h"

#include <vector>

namespace quorix::replay {
namespace {

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    return lines;
}

} // namespace

std::string LineDiff(std::string_view expected, std::string_view actual) {
    if (expected == actual) {
        return {};
    }
    const std::vector<std::string_view> a = Lines(expected);
    const std::vector<std::string_view> b = Lines(actual);
    // Longest common subsequence table, from the ends; transcripts are a few hundred lines.
    std::vector<std::vector<std::size_t>> common(a.size() + 1,
                                                 std::vector<std::size_t>(b.size() + 1, 0));
    for (std::size_t i = a.size(); i-- > 0;) {
        for (std::size_t j = b.size(); j-- > 0;) {
            common[i][j] = a[i] == b[j] ? common[i + 1][j + 1] + 1
                                        : std::max(common[i + 1][j], common[i][j + 1]);
        }
    }
    std::string diff = "--- expected\n+++ actual\n";
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() || j < b.size()) {
        if (i < a.size() && j < b.size() && a[i] == b[j]) {
            diff += " ";
            diff += a[i++];
            ++j;
        } else if (j < b.size() && (i == a.size() || common[i][j + 1] >= common[i + 1][j])) {
            diff += "+";
            diff += b[j++];
        } else {
            diff += "-";
            diff += a[i++];
        }
        diff += '\n';
    }
    if (expected.size() != actual.size() && diff.find("\n-") == std::string::npos &&
        diff.find("\n+") == std::string::npos) {
        diff += "(the texts differ in line ends)\n";
    }
    return diff;
}

} // namespace quorix::replay
