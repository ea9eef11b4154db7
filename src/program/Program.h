#pragma once

#include "platform/Dialogs.h"
#include "platform/EventPump.h"
#include "platform/MciDevice.h"
#include "platform/PathResolver.h"
#include "platform/PointerDisplayCounter.h"
#include "platform/ProfileReader.h"
#include "platform/ProgramEnd.h"
#include "platform/Screen.h"
#include "platform/SupervisorTimer.h"
#include "platform/WindowSystem.h"
#include "program/MciChannel.h"
#include "program/ProgramState.h"

#include <string>

namespace quorix::ui {
class Form1;
}

namespace quorix::program {

// The outside services one run of the program uses. Whoever builds the program owns them.
struct Services {
    platform::MciDevice& mci;
    platform::Dialogs& dialogs;
    platform::Screen& screen;
    platform::SupervisorTimer& timer;
    platform::EventPump& events;
    platform::ProgramEnd& end;
    platform::PointerDisplayCounter& pointer;
    platform::ProfileReader& profile;
    const platform::PathResolver& paths;
    platform::WindowSystem& windows;
};

// Where the program was started from: the current directory and the command-line text after the
// program name, and the separator of the current directory's path.
struct StartupPlace {
    std::string currentDirectory;
    std::string commandLine;
    char separator = '/';
};

// One run of the presenter: its state, its main window and its services. Every routine and
// handler reaches what it needs through it.
class Program {
public:
    Program(ui::Form1& mainWindow, const Services& outside, StartupPlace startedFrom)
        : form(mainWindow), services(outside), place(std::move(startedFrom)),
          channel(outside.mci, outside.dialogs, state) {}

    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    ProgramState state;
    ui::Form1& form;
    Services services;
    StartupPlace place;
    MciChannel channel;
};

} // namespace quorix::program
