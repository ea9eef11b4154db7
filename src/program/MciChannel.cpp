#include "program/MciChannel.h"

#include "platform/BasicNumber.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace quorix::program {
namespace {

// The size of the blank-filled answer buffer.
constexpr std::size_t BufferSize = 255;

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
    // The device writes plain decimal numbers; the settings file's richer rule (blanks inside a
    // number, &H) would read more into an answer than the device put there.
    const platform::BasicNumber number = platform::DecimalVal(state_.MciReturn);
    return number.ok() ? platform::RoundToInt32(number.value) : std::nullopt;
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

} // namespace quorix::program
