// The scenario runner's parser: any text parses or is refused with a line number, and a scenario
// that parses reads back the same when its words are written out again as the transcript quotes
// them.
#include "FuzzTarget.h"
#include "Scenario.h"

#include <charconv>
#include <string>
#include <system_error>
#include <vector>

namespace quorix::fuzz {
namespace {

using replay::ParseScenario;
using replay::QuoteWord;
using replay::Scenario;
using replay::ScenarioCommand;

// The scenario written out again: every word quoted, file blocks as they were.
std::string Rewrite(const Scenario& scenario) {
    std::string text;
    for (const ScenarioCommand& command : scenario.commands) {
        for (std::size_t i = 0; i < command.words.size(); ++i) {
            text += (i == 0 ? "" : " ") + QuoteWord(command.words[i]);
        }
        text += '\n';
        if (command.name() == "file") {
            for (const std::string& line : command.content) {
                text += line + '\n';
            }
            text += "endfile\n";
        }
    }
    return text;
}

// The words that the runner reads as numbers, by command; the runner converts them to int.
std::vector<std::size_t> NumberWords(const ScenarioCommand& command) {
    const std::string& name = command.name();
    const std::size_t count = command.words.size();
    if (name == "screen") {
        std::vector<std::size_t> all;
        for (std::size_t i = 1; i < count; ++i) {
            all.push_back(i);
        }
        return all;
    }
    if (name == "mkclip" || name == "reply" || name == "always" ||
        ((name == "click" || name == "move") && count == 3)) {
        return {2};
    }
    if ((name == "tick" && count == 2) || name == "bar" || name == "drag") {
        return {1};
    }
    if (name == "key" && command.words[1].size() > 1 &&
        command.words[1].find_first_not_of("-0123456789") == std::string::npos) {
        return {1}; // a virtual-key code
    }
    return {};
}

bool FitsInt(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end;
}

// A content line as it reads back: one CR before the line end is taken as part of the line end.
std::string_view WithoutLastCr(std::string_view line) {
    return line.ends_with('\r') ? line.substr(0, line.size() - 1) : line;
}

} // namespace

std::string FuzzScenario(std::string_view bytes) {
    const replay::ScenarioParse parse = ParseScenario(bytes);
    if (!parse.ok()) {
        if (!parse.error.starts_with("line ")) {
            return "an error without its line: " + parse.error;
        }
        return {};
    }
    int lastLine = 0;
    for (const ScenarioCommand& command : parse.scenario.commands) {
        if (command.words.empty()) {
            return "a command without words on line " + std::to_string(command.line);
        }
        if (command.line <= lastLine) {
            return "commands out of line order at line " + std::to_string(command.line);
        }
        lastLine = command.line;
        // A scenario that parses must run: the runner's conversions may not fail on it.
        for (const std::size_t word : NumberWords(command)) {
            if (!FitsInt(command.words[word])) {
                return "line " + std::to_string(command.line) + ": the number '" +
                       command.words[word] + "' was accepted but does not fit the runner's int";
            }
        }
    }

    const replay::ScenarioParse again = ParseScenario(Rewrite(parse.scenario));
    if (!again.ok()) {
        return "the rewritten scenario is refused: " + again.error;
    }
    const auto& before = parse.scenario.commands;
    const auto& after = again.scenario.commands;
    if (before.size() != after.size()) {
        return "the rewritten scenario has " + std::to_string(after.size()) + " commands, not " +
               std::to_string(before.size());
    }
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (after[i].words != before[i].words) {
            return "the words of the command on line " + std::to_string(before[i].line) +
                   " read back differently";
        }
        if (after[i].content.size() != before[i].content.size()) {
            return "the file block on line " + std::to_string(before[i].line) +
                   " reads back with another number of lines";
        }
        for (std::size_t j = 0; j < before[i].content.size(); ++j) {
            if (after[i].content[j] != WithoutLastCr(before[i].content[j])) {
                return "line " + std::to_string(j + 1) + " of the file block on line " +
                       std::to_string(before[i].line) + " reads back differently";
            }
        }
    }
    return {};
}

} // namespace quorix::fuzz
