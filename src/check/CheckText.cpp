#include "check/CheckText.h"

#include "platform/TextDecoding.h"

#include <QString>
#include <algorithm>
#include <cstdio>

namespace quorix::check {

std::string IndexedKey(std::string_view stem, int index) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02d", index);
    return std::string(stem) + digits;
}

namespace {

bool IsControl(QChar c) {
    return c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0);
}

} // namespace

std::string ShownText(std::string_view bytes) {
    QString shown;
    for (const QChar c : platform::DecodeDisplayText(bytes)) {
        if (!IsControl(c)) {
            shown += c;
        } else if (c.unicode() == 0) {
            shown += QStringLiteral("<NUL>");
        } else if (c.unicode() == '\t') {
            shown += QStringLiteral("<TAB>");
        } else {
            shown += QStringLiteral("<0x%1>").arg(
                QString::number(c.unicode(), 16).toUpper().rightJustified(2, QLatin1Char('0')));
        }
    }
    return shown.toStdString();
}

bool HoldsNoText(std::string_view bytes) {
    const QString text = platform::DecodeDisplayText(bytes);
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return IsControl(c) || c == QChar::ReplacementCharacter; });
}

std::string QuotedTitle(std::string_view titleBytes) {
    return "\"" + ShownText(titleBytes) + "\"";
}

std::string ColorText(std::int32_t color) {
    char text[16];
    std::snprintf(text, sizeof text, "&H%08X", static_cast<unsigned>(color));
    return text;
}

} // namespace quorix::check
