#pragma once

#include "platform/MciDevice.h"
#include "platform/ProgramEnd.h"
#include "platform/ScreenSaverInhibitor.h"

namespace quorix {

// Ends the real program at once, from any depth of handlers and nested event loops: the media
// device is closed first (so no clip keeps playing or holds the sound card) and the screen saver
// is let run again, then the process exits without running window close or destruction logic, as
// an immediate end must.
class ProgramExit final : public platform::ProgramEnd {
public:
    ProgramExit(platform::MciDevice& device, platform::ScreenSaverInhibitor& screenSaver)
        : device_(device), screenSaver_(screenSaver) {}

    [[noreturn]] void endProgram(int status) override;

private:
    platform::MciDevice& device_;
    platform::ScreenSaverInhibitor& screenSaver_;
};

} // namespace quorix
