#pragma once

#include "platform/MciDevice.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quorix::device {

// A media device that answers from a script, for tests and scenario runs. A pattern matches a
// command string exactly, or by prefix when it ends in "*". For each send: the first matching
// fail rule makes the send fail outright and is used up; else the first matching reply rule
// answers and is used up; else the last matching always rule answers; else the answer is code 0
// with empty text.
class ScriptedMciDevice final : public platform::MciDevice {
public:
    void reply(std::string pattern, std::int32_t code, std::string text = {});
    void always(std::string pattern, std::int32_t code, std::string text = {});
    void fail(std::string pattern);

    std::optional<platform::MciReply> send(std::string_view command) override;

    // Every command string sent so far, in order.
    const std::vector<std::string>& sent() const { return sent_; }

private:
    struct Rule {
        std::string pattern;
        platform::MciReply reply;
    };

    std::vector<Rule> replies_;
    std::vector<Rule> always_;
    std::vector<std::string> failures_;
    std::vector<std::string> sent_;
};

} // namespace quorix::device
