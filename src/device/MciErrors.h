#pragma once

#include <cstdint>
#include <string_view>

namespace quorix::device {

// The MCI return codes this device gives, with the numbers callers compare against.
namespace error {
inline constexpr std::int32_t None = 0;
inline constexpr std::int32_t InvalidDeviceId = 257;
inline constexpr std::int32_t UnrecognizedKeyword = 259;
inline constexpr std::int32_t UnrecognizedCommand = 261;
inline constexpr std::int32_t Hardware = 262;
inline constexpr std::int32_t InvalidDeviceName = 263;
inline constexpr std::int32_t OutOfMemory = 264;
inline constexpr std::int32_t DeviceOpen = 265;
inline constexpr std::int32_t CannotLoadDriver = 266;
inline constexpr std::int32_t MissingCommandString = 267;
inline constexpr std::int32_t ParamOverflow = 268;
inline constexpr std::int32_t MissingStringArgument = 269;
inline constexpr std::int32_t BadInteger = 270;
inline constexpr std::int32_t MissingParameter = 273;
inline constexpr std::int32_t UnsupportedFunction = 274;
inline constexpr std::int32_t FileNotFound = 275;
inline constexpr std::int32_t DeviceNotReady = 276;
inline constexpr std::int32_t Internal = 277;
inline constexpr std::int32_t CannotUseAll = 279;
inline constexpr std::int32_t ExtensionNotFound = 281;
inline constexpr std::int32_t OutOfRange = 282;
inline constexpr std::int32_t FlagsNotCompatible = 284;
inline constexpr std::int32_t DuplicateAlias = 289;
inline constexpr std::int32_t BadConstant = 290;
inline constexpr std::int32_t MissingDeviceName = 292;
inline constexpr std::int32_t BadTimeFormat = 293;
inline constexpr std::int32_t NoClosingQuote = 294;
inline constexpr std::int32_t DuplicateFlags = 295;
inline constexpr std::int32_t InvalidFile = 296;
inline constexpr std::int32_t NonapplicableFunction = 302;
inline constexpr std::int32_t ExtraCharacters = 305;
inline constexpr std::int32_t NoWindow = 346;
} // namespace error

// The symbolic name of a return code ("MCIERR_FILE_NOT_FOUND"); empty for 0 and for codes this
// table does not know.
std::string_view errorName(std::int32_t code);

} // namespace quorix::device
