#pragma once

#include <string>
#include <string_view>

namespace quorix::replay {

// The events of one run, one line each, in the order they happened.
class Transcript {
public:
    void add(std::string_view line) {
        text_ += line;
        text_ += '\n';
    }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

} // namespace quorix::replay
