#include "check/CheckText.h"

#include "platform/TextDecoding.h"

#include <cstdio>

namespace quorix::check {

std::string IndexedKey(std::string_view stem, int index) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02d", index);
    return std::string(stem) + digits;
}

std::string QuotedTitle(std::string_view titleBytes) {
    return "\"" + platform::DecodeDisplayText(titleBytes).toStdString() + "\"";
}

std::string ColorText(std::int32_t color) {
    char text[16];
    std::snprintf(text, sizeof text, "&H%08X", static_cast<unsigned>(color));
    return text;
}

} // namespace quorix::check
