#include "Scenario.h"

#include "ui/VirtualKeys.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

namespace quorix::replay {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (IsBlank(text.front()) || text.front() == '\r')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

// Splits one line into words; no value and an error text when a quote is not closed.
std::optional<std::vector<std::string>> SplitWords(std::string_view line, std::string& error) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        if (IsBlank(line[i]) || line[i] == '\r') {
            ++i;
            continue;
        }
        std::string word;
        if (line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const char c = line[i];
                if (c == '\\' && i + 1 < line.size() &&
                    (line[i + 1] == '"' || line[i + 1] == '\\')) {
                    word += line[i + 1];
                    i += 2;
                } else if (c == '"') {
                    closed = true;
                    ++i;
                    break;
                } else {
                    word += c;
                    ++i;
                }
            }
            if (!closed) {
                error = "a quoted word is not closed";
                return std::nullopt;
            }
            if (i < line.size() && !IsBlank(line[i]) && line[i] != '\r') {
                error = "text glued to a closing quote";
                return std::nullopt;
            }
        } else {
            while (i < line.size() && !IsBlank(line[i]) && line[i] != '\r') {
                word += line[i];
                ++i;
            }
        }
        words.push_back(std::move(word));
    }
    return words;
}

// A whole number that the runner can hold: it reads every number of a scenario into an int.
bool IsInteger(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

// A control of the main window as "dump controls" names it: a single control, a control array
// (all its elements) or one element of an array, "clip(3)".
bool IsControlName(std::string_view name) {
    static constexpr std::array<std::string_view, 8> Single = {
        "sspanel1", "HScroll1", "PicBase", "Picture1", "Image1", "Label2", "FXImage1", "Timer1"};
    static constexpr std::array<std::string_view, 3> Arrays = {"Btn", "Shadow", "clip"};
    if (std::find(Single.begin(), Single.end(), name) != Single.end()) {
        return true;
    }
    const std::size_t open = name.find('(');
    const std::string_view base = name.substr(0, open);
    if (std::find(Arrays.begin(), Arrays.end(), base) == Arrays.end()) {
        return false;
    }
    if (open == std::string_view::npos) {
        return true;
    }
    const std::string_view index = name.substr(open + 1);
    return index.size() >= 2 && index.back() == ')' && index.front() != '-' &&
           IsInteger(index.substr(0, index.size() - 1));
}

// Checks a command's words; returns an error text, empty when the command is well formed.
std::string CheckCommand(const std::vector<std::string>& w) {
    const std::string& name = w.front();
    const std::size_t n = w.size() - 1; // arguments
    auto count = [&](std::size_t low, std::size_t high) -> std::string {
        if (n < low || n > high) {
            return "'" + name + "' takes " +
                   (low == high ? std::to_string(low)
                                : std::to_string(low) + " to " + std::to_string(high)) +
                   " argument(s)";
        }
        return {};
    };
    auto integers = [&](std::size_t from) -> std::string {
        for (std::size_t i = from; i < w.size(); ++i) {
            if (!IsInteger(w[i])) {
                return "'" + name + "' needs a whole number, not '" + w[i] + "'";
            }
        }
        return {};
    };

    if (name == "cwd" || name == "args") {
        return count(1, 1);
    }
    if (name == "screen") {
        if (auto e = count(2, 3); !e.empty()) {
            return e;
        }
        return integers(1);
    }
    if (name == "mkclip") {
        if (auto e = count(2, 2); !e.empty()) {
            return e;
        }
        return integers(2);
    }
    if (name == "reply" || name == "always") {
        if (auto e = count(2, 3); !e.empty()) {
            return e;
        }
        return IsInteger(w[2]) ? std::string() : "'" + name + "' needs a whole-number code";
    }
    if (name == "fail") {
        return count(1, 1);
    }
    if (name == "start" || name == "activate") {
        return count(0, 0);
    }
    if (name == "tick") {
        if (auto e = count(0, 1); !e.empty()) {
            return e;
        }
        return integers(1);
    }
    if (name == "key") {
        if (auto e = count(1, 2); !e.empty()) {
            return e;
        }
        if (!ui::KeyCodeNamed(w[1]) && !IsInteger(w[1])) {
            return "unknown key '" + w[1] + "'";
        }
        if (n == 2 && !ui::ModifierMaskNamed(w[2])) {
            return "unknown modifiers '" + w[2] + "'";
        }
        return {};
    }
    if (name == "click" || name == "move") {
        if (n == 2 && (w[1] == "clip" || w[1] == "btn")) {
            return integers(2);
        }
        if (n == 1 && (w[1] == "picture" || (name == "move" && w[1] == "panel"))) {
            return {};
        }
        return "'" + name + "' takes clip N, btn N" +
               (name == "move" ? ", panel or picture" : std::string(" or picture"));
    }
    if (name == "bar" || name == "drag") {
        if (auto e = count(1, 1); !e.empty()) {
            return e;
        }
        return integers(1);
    }
    if (name == "dump") {
        if (n == 0 || (n > 1 && w[1] != "controls")) {
            return "'dump' takes state, settings, catalogue, all, or controls and control names";
        }
        static constexpr std::array<std::string_view, 5> What = {"state", "settings", "catalogue",
                                                                 "controls", "all"};
        if (std::find(What.begin(), What.end(), w[1]) == What.end()) {
            return "unknown dump '" + w[1] + "'";
        }
        for (std::size_t i = 2; i < w.size(); ++i) {
            if (!IsControlName(w[i])) {
                return "unknown control '" + w[i] + "'";
            }
        }
        return {};
    }
    return "unknown command '" + name + "'";
}

bool IsSetUp(std::string_view name) {
    return name == "cwd" || name == "args" || name == "screen" || name == "file" ||
           name == "mkclip";
}

bool IsDeviceScript(std::string_view name) {
    return name == "reply" || name == "always" || name == "fail";
}

// Set-up comes before "start" and driving after it; "start" comes once.
std::string CheckOrder(const ScenarioCommand& command, bool& started) {
    const std::string& name = command.name();
    if (name == "start") {
        if (started) {
            return "'start' comes once";
        }
        started = true;
        return {};
    }
    if (IsSetUp(name) && started) {
        return "'" + name + "' is a set-up command and comes before 'start'";
    }
    if (!IsSetUp(name) && !IsDeviceScript(name) && !started) {
        return "'" + name + "' drives the program and comes after 'start'";
    }
    return {};
}

} // namespace

ScenarioParse ParseScenario(std::string_view text) {
    ScenarioParse parse;
    int lineNumber = 0;
    bool started = false;
    std::optional<ScenarioCommand> openFile;

    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        ++lineNumber;
        const bool lastLine = end >= text.size();
        start = end + 1;

        if (openFile) {
            if (Trim(line) == "endfile") {
                if (const std::string problem = CheckOrder(*openFile, started); !problem.empty()) {
                    parse.error = "line " + std::to_string(openFile->line) + ": " + problem;
                    return parse;
                }
                parse.scenario.commands.push_back(std::move(*openFile));
                openFile.reset();
            } else {
                openFile->content.emplace_back(line);
            }
        } else if (const std::string_view trimmed = Trim(line);
                   !trimmed.empty() && trimmed.front() != '#') {
            std::string error;
            auto words = SplitWords(line, error);
            if (!words) {
                parse.error = "line " + std::to_string(lineNumber) + ": " + error;
                return parse;
            }
            ScenarioCommand command{lineNumber, std::move(*words), {}};
            if (command.name() == "file") {
                if (command.words.size() != 2) {
                    parse.error = "line " + std::to_string(lineNumber) + ": 'file' takes a path";
                    return parse;
                }
                openFile = std::move(command);
            } else if (std::string problem = CheckCommand(command.words);
                       !problem.empty() || !(problem = CheckOrder(command, started)).empty()) {
                parse.error = "line " + std::to_string(lineNumber) + ": " + problem;
                return parse;
            } else {
                parse.scenario.commands.push_back(std::move(command));
            }
        }
        if (lastLine) {
            break;
        }
    }
    if (openFile) {
        parse.error = "line " + std::to_string(openFile->line) + ": 'file' has no 'endfile'";
    }
    return parse;
}

std::string QuoteWord(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

} // namespace quorix::replay
