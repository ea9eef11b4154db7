// The number reading of the settings: any text gives a finite number or a reported failure, and a
// stored whole number is the nearest one to the number read, halves going to the even neighbour.
#include "FuzzTarget.h"
#include "platform/BasicNumber.h"
#include "startup/SettingsReader.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

namespace quorix::fuzz {
namespace {

std::string Describe(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

// Whether whole is the right rounding of value: the nearest whole number, and the even one of two
// equally near.
template <typename Int> std::string CheckRounding(double value, std::optional<Int> whole) {
    if (!whole) {
        // Refused: only right when the rounded value cannot be stored.
        if (std::isfinite(value) &&
            std::fabs(value) < static_cast<double>(std::numeric_limits<Int>::max())) {
            return "the small number " + Describe(value) + " was refused";
        }
        return {};
    }
    if (!std::isfinite(value)) {
        return "the non-finite number " + Describe(value) + " was stored";
    }
    const double stored = static_cast<double>(*whole);
    const double distance = std::fabs(stored - value);
    if (distance > 0.5 || (distance == 0.5 && std::fmod(stored, 2.0) != 0.0)) {
        return Describe(value) + " was stored as " + std::to_string(*whole);
    }
    return {};
}

} // namespace

std::string FuzzBasicNumber(std::string_view bytes) {
    // The first eight bytes, taken as a double, for the rounding routines on their own: they also
    // meet infinities, NaNs and huge values there.
    if (bytes.size() >= sizeof(double)) {
        double raw = 0;
        std::memcpy(&raw, bytes.data(), sizeof raw);
        if (std::string problem = CheckRounding(raw, platform::RoundToInt16(raw));
            !problem.empty()) {
            return "RoundToInt16: " + problem;
        }
        if (std::string problem = CheckRounding(raw, platform::RoundToInt32(raw));
            !problem.empty()) {
            return "RoundToInt32: " + problem;
        }
    }

    const platform::BasicNumber number = platform::BasicVal(bytes);
    if (number.ok() && !std::isfinite(number.value)) {
        return "BasicVal gave the non-finite " + Describe(number.value) + " as a number";
    }
    if (!number.ok() && number.value != 0.0) {
        return "BasicVal failed but left the value " + Describe(number.value);
    }

    const std::optional<std::int16_t> int16 = platform::ReadInt16(bytes);
    const std::optional<std::int32_t> int32 = platform::ReadInt32(bytes);
    if (!number.ok()) {
        if (int16 || int32) {
            return "a number that failed to read was stored";
        }
        return {};
    }
    if (std::string problem = CheckRounding(number.value, int16); !problem.empty()) {
        return "ReadInt16: " + problem;
    }
    if (std::string problem = CheckRounding(number.value, int32); !problem.empty()) {
        return "ReadInt32: " + problem;
    }
    if (int16 && (!int32 || *int32 != *int16)) {
        return "ReadInt32 disagrees with ReadInt16";
    }

    // The font keys read the same numbers.
    const std::optional<double> color = startup::SettingValue(startup::setting::FontColor, bytes);
    if (!bytes.empty() && (color.has_value() != int32.has_value() || (color && *color != *int32))) {
        return "the font colour differs from the number read";
    }
    if ((startup::SettingValue(startup::setting::Bold, bytes) == 1.0) != (number.value != 0.0)) {
        return "the font flag differs from the number read";
    }
    return {};
}

} // namespace quorix::fuzz
