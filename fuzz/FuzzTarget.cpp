#include "FuzzTarget.h"

#include <array>

namespace quorix::fuzz {

std::span<const FuzzTarget> FuzzTargets() {
    static constexpr std::array<FuzzTarget, 5> targets{{
        {"ini", FuzzIniFile},
        {"settings", FuzzSettingsFile},
        {"number", FuzzBasicNumber},
        {"mci", FuzzMciDevice},
        {"scenario", FuzzScenario},
    }};
    return targets;
}

} // namespace quorix::fuzz
