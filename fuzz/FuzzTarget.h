#pragma once

#include <span>
#include <string>
#include <string_view>

namespace quorix::fuzz {

// One fuzz target: a routine that takes arbitrary bytes, runs a piece of the program on them and
// checks what came back. It returns a description of the first broken rule, or the empty text when
// every rule held. Crashes and undefined behaviour are for the sanitizers to catch.
// libFuzzer runs each (one executable per target), also over the kept inputs alone.
struct FuzzTarget {
    std::string_view name; // also the folder of its seeds and kept inputs
    std::string (*run)(std::string_view bytes);
};

// Every target, in a fixed order.
std::span<const FuzzTarget> FuzzTargets();

// The targets themselves.
std::string FuzzIniFile(std::string_view bytes);
std::string FuzzSettingsFile(std::string_view bytes);
std::string FuzzBasicNumber(std::string_view bytes);
std::string FuzzMciDevice(std::string_view bytes);
std::string FuzzScenario(std::string_view bytes);

} // namespace quorix::fuzz
