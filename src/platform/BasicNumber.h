#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorix::platform {

// Numbers in the settings file are read the way the old BASIC runtime's Val read them, since the
// discs' settings files were written and tested against it.
struct BasicNumber {
    enum class Status {
        Ok,
        Overflow,     // the runtime raised "Overflow" (for example "1e400", or too many hex digits)
        TypeMismatch, // the runtime raised "Type mismatch" (a whole-number suffix after a fraction)
    };
    double value = 0.0;
    Status status = Status::Ok;

    bool ok() const { return status == Status::Ok; }
};

// The number that the text begins with: blanks before and inside the number skipped, one sign,
// one decimal point, an exponent written E or D, or a hexadecimal (&H) or octal (&O) number whose
// width follows its size. Text that does not begin with a number gives 0.
BasicNumber BasicVal(std::string_view text);

// The plain decimal number that the text begins with, the way answers from the media device are
// read: leading blanks skipped, then one sign, digits with one decimal point and an exponent
// written E; reading stops at the first character that cannot continue the number, a blank
// included. Nothing here knows &H numbers or the D exponent. Text that does not begin with a
// number gives 0.
BasicNumber DecimalVal(std::string_view text);

// Round to the nearest whole number, halves to the even neighbour, as assignment to a 16-bit or
// 32-bit variable does. No value when the result does not fit (the runtime's "Overflow").
std::optional<std::int16_t> RoundToInt16(double value);
std::optional<std::int32_t> RoundToInt32(double value);

// The text's number rounded into a field, or no value when the text cannot be stored there.
std::optional<std::int16_t> ReadInt16(std::string_view text);
std::optional<std::int32_t> ReadInt32(std::string_view text);

} // namespace quorix::platform
