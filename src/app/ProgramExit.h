#pragma once

#include "platform/MciDevice.h"
#include "platform/ProgramEnd.h"

namespace quorix {

// Ends the real program at once, from any depth of handlers and nested event loops: the media
// device is closed first (so no clip keeps playing or holds the sound card), then the process
// exits without running window close or destruction logic, as an immediate end must.
class ProgramExit final : public platform::ProgramEnd {
public:
    explicit ProgramExit(platform::MciDevice& device) : device_(device) {}

    [[noreturn]] void endProgram(int status) override;

private:
    platform::MciDevice& device_;
};

} // namespace quorix
