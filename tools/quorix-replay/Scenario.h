#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorix::replay {

// One command of a scenario: its words (quotes removed, escapes resolved) and, for a "file"
// block, the lines up to "endfile".
struct ScenarioCommand {
    int line = 0; // 1-based line of the command in the scenario
    std::vector<std::string> words;
    std::vector<std::string> content;

    const std::string& name() const { return words.front(); }
};

struct Scenario {
    std::vector<ScenarioCommand> commands;
};

struct ScenarioParse {
    Scenario scenario;
    std::string error; // empty when the text parsed; else "line N: what is wrong"

    bool ok() const { return error.empty(); }
};

// Splits a scenario into commands and checks each command's words: names, counts and values.
ScenarioParse ParseScenario(std::string_view text);

// A word as the transcript and scenarios write it: in double quotes, with " and \ escaped.
std::string QuoteWord(std::string_view text);

} // namespace quorix::replay
