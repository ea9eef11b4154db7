#include "device/ScriptedMciDevice.h"

#include <algorithm>

namespace quorix::device {
namespace {

bool matches(std::string_view pattern, std::string_view command) {
    if (!pattern.empty() && pattern.back() == '*') {
        return command.starts_with(pattern.substr(0, pattern.size() - 1));
    }
    return command == pattern;
}

} // namespace

void ScriptedMciDevice::reply(std::string pattern, std::int32_t code, std::string text) {
    replies_.push_back({std::move(pattern), platform::MciReply{code, std::move(text)}});
}

void ScriptedMciDevice::always(std::string pattern, std::int32_t code, std::string text) {
    always_.push_back({std::move(pattern), platform::MciReply{code, std::move(text)}});
}

void ScriptedMciDevice::fail(std::string pattern) {
    failures_.push_back(std::move(pattern));
}

std::optional<platform::MciReply> ScriptedMciDevice::send(std::string_view command) {
    sent_.emplace_back(command);
    const auto failure = std::find_if(failures_.begin(), failures_.end(),
                                      [&](const std::string& p) { return matches(p, command); });
    if (failure != failures_.end()) {
        failures_.erase(failure);
        return std::nullopt;
    }
    const auto once = std::find_if(replies_.begin(), replies_.end(), [&](const Rule& rule) {
        return matches(rule.pattern, command);
    });
    if (once != replies_.end()) {
        platform::MciReply answer = std::move(once->reply);
        replies_.erase(once);
        return answer;
    }
    const auto standing = std::find_if(always_.rbegin(), always_.rend(), [&](const Rule& rule) {
        return matches(rule.pattern, command);
    });
    if (standing != always_.rend()) {
        return standing->reply;
    }
    return platform::MciReply{};
}

} // namespace quorix::device
