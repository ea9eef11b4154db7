#include "device/MciErrors.h"

#include <array>
#include <utility>

namespace quorix::device {

std::string_view errorName(std::int32_t code) {
    static constexpr std::array<std::pair<std::int32_t, std::string_view>, 31> names{{
        {error::InvalidDeviceId, "MCIERR_INVALID_DEVICE_ID"},
        {error::UnrecognizedKeyword, "MCIERR_UNRECOGNIZED_KEYWORD"},
        {error::UnrecognizedCommand, "MCIERR_UNRECOGNIZED_COMMAND"},
        {error::Hardware, "MCIERR_HARDWARE"},
        {error::InvalidDeviceName, "MCIERR_INVALID_DEVICE_NAME"},
        {error::OutOfMemory, "MCIERR_OUT_OF_MEMORY"},
        {error::DeviceOpen, "MCIERR_DEVICE_OPEN"},
        {error::CannotLoadDriver, "MCIERR_CANNOT_LOAD_DRIVER"},
        {error::MissingCommandString, "MCIERR_MISSING_COMMAND_STRING"},
        {error::ParamOverflow, "MCIERR_PARAM_OVERFLOW"},
        {error::MissingStringArgument, "MCIERR_MISSING_STRING_ARGUMENT"},
        {error::BadInteger, "MCIERR_BAD_INTEGER"},
        {error::MissingParameter, "MCIERR_MISSING_PARAMETER"},
        {error::UnsupportedFunction, "MCIERR_UNSUPPORTED_FUNCTION"},
        {error::FileNotFound, "MCIERR_FILE_NOT_FOUND"},
        {error::DeviceNotReady, "MCIERR_DEVICE_NOT_READY"},
        {error::Internal, "MCIERR_INTERNAL"},
        {error::CannotUseAll, "MCIERR_CANNOT_USE_ALL"},
        {error::ExtensionNotFound, "MCIERR_EXTENSION_NOT_FOUND"},
        {error::OutOfRange, "MCIERR_OUTOFRANGE"},
        {error::FlagsNotCompatible, "MCIERR_FLAGS_NOT_COMPATIBLE"},
        {error::DuplicateAlias, "MCIERR_DUPLICATE_ALIAS"},
        {error::BadConstant, "MCIERR_BAD_CONSTANT"},
        {error::MissingDeviceName, "MCIERR_MISSING_DEVICE_NAME"},
        {error::BadTimeFormat, "MCIERR_BAD_TIME_FORMAT"},
        {error::NoClosingQuote, "MCIERR_NO_CLOSING_QUOTE"},
        {error::DuplicateFlags, "MCIERR_DUPLICATE_FLAGS"},
        {error::InvalidFile, "MCIERR_INVALID_FILE"},
        {error::NonapplicableFunction, "MCIERR_NONAPPLICABLE_FUNCTION"},
        {error::ExtraCharacters, "MCIERR_EXTRA_CHARACTERS"},
        {error::NoWindow, "MCIERR_NO_WINDOW"},
    }};
    for (const auto& [number, name] : names) {
        if (number == code) {
            return name;
        }
    }
    return {};
}

} // namespace quorix::device
