#include "video/MciChannel.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace quorix::video {
namespace {

// The size of the blank-filled answer buffer.
constexpr std::size_t BufferSize = 255;

bool isLeadingBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The number at the start of text as the runtime's Val reads it: blanks may sit anywhere in it,
// one decimal point, an exponent with E or D. Infinity when the exponent overflows.
double leadingNumber(std::string_view text) {
    std::string digits;
    std::size_t i = 0;
    while (i < text.size() && isLeadingBlank(text[i])) {
        ++i;
    }
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        digits += text[i++];
    }
    bool point = false;
    bool any = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isLeadingBlank(c)) {
            continue;
        }
        if (isDigit(c)) {
            digits += c;
            any = true;
        } else if (c == '.' && !point) {
            digits += c;
            point = true;
        } else {
            break;
        }
    }
    if (!any) {
        return 0;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::string exponent = "e";
        std::size_t j = i + 1;
        while (j < text.size() && isLeadingBlank(text[j])) {
            ++j;
        }
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            exponent += text[j++];
        }
        bool expDigits = false;
        for (; j < text.size(); ++j) {
            if (isDigit(text[j])) {
                exponent += text[j];
                expDigits = true;
            } else if (!isLeadingBlank(text[j])) {
                break;
            }
        }
        if (expDigits) {
            digits += exponent;
        }
    }
    // strtod follows LC_NUMERIC, which the program keeps at "C" for libmpv; the text has no
    // separator other than ".".
    return std::strtod(digits.c_str(), nullptr);
}

} // namespace

MciChannel::MciChannel(platform::MciDevice& device, platform::Dialogs& dialogs, ProgramState& state)
    : device_(device), dialogs_(dialogs), state_(state) {}

std::optional<std::int32_t> MciChannel::SendMci(std::string_view command) {
    state_.MciReturn.assign(BufferSize, ' ');
    const std::optional<platform::MciReply> reply = device_.send(command);
    if (!reply) {
        return std::nullopt;
    }
    const std::size_t room = static_cast<std::size_t>(
        std::clamp<std::int32_t>(state_.MciReturnLength, 1, static_cast<std::int32_t>(BufferSize)) -
        1);
    std::string_view answer = reply->answer;
    answer = answer.substr(0, std::min({answer.find('\0'), answer.size(), room}));
    state_.MciReturn.assign(answer);
    return reply->code;
}

void MciChannel::ReportTrouble(std::string_view text, std::int32_t code) {
    dialogs_.showMessage(std::string(text) + std::to_string(code) + ")");
}

std::optional<std::int32_t> MciChannel::AnswerAsNumber() const {
    const double value = leadingNumber(state_.MciReturn);
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    // nearbyint rounds halves to even in the default rounding mode.
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<std::int32_t>::min() ||
        rounded > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(rounded);
}

bool MciChannel::AnswerIsMode(std::string_view word) const {
    const QString expected = QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size()));
    const QString answer =
        QString::fromUtf8(state_.MciReturn.data(), static_cast<qsizetype>(state_.MciReturn.size()));
    if (answer.size() < expected.size()) {
        return false;
    }
    return answer.left(expected.size()).toLower() == expected;
}

bool ContinueOnFailure::Send(std::string_view command, std::int32_t& code) {
    if (const auto sent = channel_.SendMci(command)) {
        code = *sent;
        return true;
    }
    failed_ = true;
    return false;
}

bool ContinueOnFailure::Check(std::string_view text, std::int32_t code) {
    if (!failed_ && code == 0) {
        return false;
    }
    channel_.ReportTrouble(text, code);
    return true;
}

void ContinueOnFailure::ReadNumber(std::int32_t& target) {
    if (const auto value = channel_.AnswerAsNumber()) {
        target = *value;
    } else {
        failed_ = true;
    }
}

} // namespace quorix::video
