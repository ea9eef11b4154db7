#include "app/ProgramExit.h"

#include <cstdio>
#include <cstdlib>

namespace quorix::app {

void ProgramExit::endProgram(int status) {
    // First, so that a service manager takes what follows for an end, not for a hang.
    manager_.stopping();
    // Whatever the device answers, the program ends: there is nobody left to tell.
    (void)device_.send("close all");
    // Released here because the exit below runs no destructors. Should the process end some
    // other way, the session's service and the X server drop the hold when its connections close.
    screenSaver_.release();
    std::fflush(nullptr);
    std::_Exit(status);
}

} // namespace quorix::app
