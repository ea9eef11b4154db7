#pragma once

#include "platform/MciDevice.h"
#include "platform/ProgramEnd.h"
#include "platform/ScreenSaverInhibitor.h"
#include "platform/ServiceManager.h"

namespace quorix::app {

// Ends the real program at once, from any depth of handlers and nested event loops: the service
// manager is told that the program stops, the media device is closed (so no clip keeps playing or
// holds the sound card) and the screen saver is let run again, then the process exits without
// running window close or destruction logic, as an immediate end must.
class ProgramExit final : public platform::ProgramEnd {
public:
    ProgramExit(platform::MciDevice& device, platform::ScreenSaverInhibitor& screenSaver,
                platform::ServiceManager& manager)
        : device_(device), screenSaver_(screenSaver), manager_(manager) {}

    [[noreturn]] void endProgram(int status) override;

private:
    platform::MciDevice& device_;
    platform::ScreenSaverInhibitor& screenSaver_;
    platform::ServiceManager& manager_;
};

} // namespace quorix::app
