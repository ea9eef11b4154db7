#include "platform/BasicNumber.h"

#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace quorix::platform {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// &H and &O numbers. The value's width follows its size: up to &HFFFF it is a 16-bit value
// (so &HFFFF is -1), up to &HFFFFFFFF a 32-bit one; a "&" suffix forces 32 bits and "%" 16 bits.
BasicNumber RadixVal(std::string_view text, std::size_t i) {
    if (i >= text.size()) {
        return {};
    }
    const char prefix = text[i];
    int radix = 0;
    if (prefix == 'h' || prefix == 'H') {
        radix = 16;
    } else if (prefix == 'o' || prefix == 'O') {
        radix = 8;
    } else {
        return {};
    }
    ++i;

    std::uint64_t magnitude = 0;
    bool tooLong = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsBlank(c)) {
            continue;
        }
        const int digit = HexDigitValue(c);
        if (digit < 0 || digit >= radix) {
            break;
        }
        magnitude =
            magnitude * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(digit);
        if (magnitude > 0xFFFF'FFFFULL) {
            tooLong = true;
        }
    }
    if (tooLong) {
        return {0.0, BasicNumber::Status::Overflow};
    }

    const char suffix = i < text.size() ? text[i] : '\0';
    const bool force32 = suffix == '&';
    const bool force16 = suffix == '%';
    if (force16 && magnitude > 0xFFFF) {
        return {0.0, BasicNumber::Status::Overflow};
    }
    if (!force32 && magnitude <= 0xFFFF) {
        const auto bits = static_cast<std::uint16_t>(magnitude);
        return {static_cast<double>(static_cast<std::int16_t>(bits)), BasicNumber::Status::Ok};
    }
    const auto bits = static_cast<std::uint32_t>(magnitude);
    return {static_cast<double>(static_cast<std::int32_t>(bits)), BasicNumber::Status::Ok};
}

} // namespace

BasicNumber BasicVal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    if (i >= text.size()) {
        return {};
    }
    if (text[i] == '&') {
        return RadixVal(text, i + 1);
    }

    // Collect the number without its inner blanks, then let strtod convert it exactly.
    std::string number;
    if (text[i] == '+' || text[i] == '-') {
        number += text[i];
        ++i;
    }
    bool seenPoint = false;
    bool seenDigit = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsBlank(c)) {
            continue;
        }
        if (IsDigit(c)) {
            number += c;
            seenDigit = true;
        } else if (c == '.' && !seenPoint) {
            number += c;
            seenPoint = true;
        } else {
            break;
        }
    }

    bool exponent = false;
    if (i < text.size() && seenDigit) {
        const char c = text[i];
        if (c == 'e' || c == 'E' || c == 'd' || c == 'D') {
            std::string expo = "e";
            std::size_t j = i + 1;
            while (j < text.size() && IsBlank(text[j])) {
                ++j;
            }
            if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
                expo += text[j];
                ++j;
            }
            bool expoDigit = false;
            for (; j < text.size(); ++j) {
                if (IsBlank(text[j])) {
                    continue;
                }
                if (!IsDigit(text[j])) {
                    break;
                }
                expo += text[j];
                expoDigit = true;
            }
            if (expoDigit) {
                number += expo;
                exponent = true;
            }
            i = j;
        }
    }

    if (!seenDigit) {
        return {};
    }
    // A whole-number type suffix glued to a number with a fraction is a type mismatch.
    if (!exponent && seenPoint && i < text.size() && (text[i] == '%' || text[i] == '&')) {
        return {0.0, BasicNumber::Status::TypeMismatch};
    }
    const double value = std::strtod(number.c_str(), nullptr);
    if (!std::isfinite(value)) {
        return {0.0, BasicNumber::Status::Overflow};
    }
    return {value, BasicNumber::Status::Ok};
}

BasicNumber DecimalVal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    std::string number;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        number += text[i++];
    }
    bool seenPoint = false;
    bool seenDigit = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            seenDigit = true;
        } else if (c != '.' || seenPoint) {
            break;
        }
        seenPoint = seenPoint || c == '.';
        number += c;
    }
    if (!seenDigit) {
        return {};
    }
    // An exponent counts only when digits follow it: "5e" is 5.
    if (i + 1 < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (text[j] == '+' || text[j] == '-') {
            exponent += text[j++];
        }
        const std::size_t digits = j;
        while (j < text.size() && IsDigit(text[j])) {
            exponent += text[j++];
        }
        if (j > digits) {
            number += exponent;
        }
    }
    const double value = std::strtod(number.c_str(), nullptr);
    if (!std::isfinite(value)) {
        return {0.0, BasicNumber::Status::Overflow};
    }
    return {value, BasicNumber::Status::Ok};
}

namespace {

template <typename Int> std::optional<Int> RoundInto(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    // nearbyint rounds halves to even in the default rounding mode, which nothing here changes.
    const double rounded = std::nearbyint(value);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
        return std::nullopt;
    }
    return static_cast<Int>(rounded);
}

} // namespace

std::optional<std::int16_t> RoundToInt16(double value) {
    return RoundInto<std::int16_t>(value);
}

std::optional<std::int32_t> RoundToInt32(double value) {
    return RoundInto<std::int32_t>(value);
}

std::optional<std::int16_t> ReadInt16(std::string_view text) {
    const BasicNumber number = BasicVal(text);
    return number.ok() ? RoundToInt16(number.value) : std::nullopt;
}

std::optional<std::int32_t> ReadInt32(std::string_view text) {
    const BasicNumber number = BasicVal(text);
    return number.ok() ? RoundToInt32(number.value) : std::nullopt;
}

} // namespace quorix::platform
