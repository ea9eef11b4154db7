// quorix: presents the clips of the media folder found from the current directory, or from the
// folder named on the command line; "quorix --check" reports on that media folder instead.

#include "app/CommandLine.h"
#include "app/DiscCheckCommand.h"
#include "app/FirstTickGate.h"
#include "app/HandlerWiring.h"
#include "app/ProgramExit.h"
#include "app/ServiceHeartbeat.h"
#include "app/SignalEnd.h"
#include "app/TimingTrace.h"
#include "app/WindowFrames.h"
#include "app/X11ConnectionLoss.h"
#include "device/MpvMciDevice.h"
#include "device/MpvSetUp.h"
#include "menu/PointerHandlers.h"
#include "platform/FileProfileReader.h"
#include "platform/Logging.h"
#include "platform/PathResolver.h"
#include "platform/screensaver/DBusScreenSaverInhibitor.h"
#include "platform/screensaver/ScreenSaverInhibitors.h"
#include "platform/screensaver/X11ScreenSaverInhibitor.h"
#include "platform/servicemanager/SystemdServiceManager.h"
#include "program/Program.h"
#include "startup/FormLoad.h"
#include "startup/SettingsReader.h"
#include "ui/Form1.h"
#include "ui/OverrideCursor.h"
#include "ui/QtDialogs.h"
#include "ui/QtEventPump.h"
#include "ui/QtPointerDisplayCounter.h"
#include "ui/QtScreen.h"
#include "ui/QtWindowSystem.h"
#include "video/MousePointer.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <chrono>
#include <clocale>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The arguments after the program name.
std::vector<std::string> Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

bool IsFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

int UsageError(const std::string& why) {
    std::cerr << "quorix: " << why << "\nTry 'quorix --help'.\n";
    return 2;
}

void WarnIgnored(const quorix::app::CommandLine& line) {
    for (const std::string& why : line.ignored) {
        std::cerr << "quorix: ignored: " << why << "\n";
    }
}

// Makes the folder the current directory, so that the program starts as if started there.
bool EnterFolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::current_path(folder, error);
    if (error) {
        std::cerr << "quorix: cannot start in the folder '" << folder << "': " << error.message()
                  << "\n";
        return false;
    }
    return true;
}

// A launcher may start the program with the standard descriptors closed. The first file or
// display connection opened would then take their numbers, and whatever writes to standard error
// (or closes standard input) would hit it: give them /dev/null first.
void KeepStandardDescriptorsOpen() {
    for (int descriptor = 0; descriptor <= 2; ++descriptor) {
        if (fcntl(descriptor, F_GETFD) == -1) {
            const int opened = open("/dev/null", O_RDWR);
            if (opened > descriptor) {
                close(opened);
            }
        }
    }
}

// A write to a connection whose other end is gone (the X server killed under a playing clip, a
// session service restarted) must fail with EPIPE, so that the code that wrote learns of it and
// ends as it means to; for the X server, X11ConnectionLoss with status 1. SIGPIPE's default kills
// the process on the spot instead, which a service manager reports as a crash. Which thread
// writes first to the dead server is chance, so that crash came only now and then.
void LetBrokenConnectionsFail() {
    std::signal(SIGPIPE, SIG_IGN);
}

} // namespace

int main(int argc, char** argv) {
    using namespace quorix;
    KeepStandardDescriptorsOpen();
    LetBrokenConnectionsFail();

    // Help and the version need no display; the check must not open one.
    app::CommandLine line = app::ParseCommandLine(Arguments(argc, argv), IsFolder);
    if (line.verbose) {
        platform::EnableVerboseLogging();
    }
    if (line.mode == app::RunMode::Help) {
        std::cout << app::HelpText();
        return 0;
    }
    if (line.mode == app::RunMode::Version) {
        std::cout << "quorix " << QUORIX_VERSION << "\n";
        return 0;
    }
    // A word the program does not know may be one of the toolkit's own options (-platform,
    // -display ...), which the toolkit takes away when it starts: such words are judged after.
    const bool askToolkit = !line.error.empty() || !line.ignored.empty();
    if (!askToolkit && line.folder && !EnterFolder(*line.folder)) {
        return 2;
    }
    if (line.mode == app::RunMode::Check) {
        app::PrepareToolkitForCheck();
    }

    // Before the toolkit starts: the media device's set-up may probe the display's renderer.
    device::MpvSetUp deviceSetUp(line.mode == app::RunMode::Check
                                     ? device::DeviceRequest{device::VideoOutput::None, {}, false}
                                     : device::DeviceRequest{},
                                 argc, argv);
    QApplication application(argc, argv);
    // Qt took the number format from the environment; libmpv needs "." decimals.
    std::setlocale(LC_NUMERIC, "C");

    if (askToolkit) {
        line = app::ParseCommandLine(Arguments(argc, argv), IsFolder);
        if (!line.error.empty()) {
            return UsageError(line.error);
        }
        WarnIgnored(line);
        if (line.folder && !EnterFolder(*line.folder)) {
            return 2;
        }
    }
    if (line.mode == app::RunMode::Check) {
        return app::RunDiscCheck(line);
    }

    // Made before the media device, so that it still holds while the device's threads end.
    const app::X11ConnectionLoss serverLoss(app::X11ConnectionLoss::ApplicationConnection());

    const platform::PathResolver paths;
    platform::FileProfileReader profile(paths);

    device::MpvSettings settings = deviceSetUp.settings();
    // Asked of the program once its settings have been read; the device is made before it. The
    // menu, the closing logo and the end come as they always did, without the last picture.
    const program::Program* settingsHolder = nullptr;
    settings.holdLastPicture = [&settingsHolder] {
        return settingsHolder != nullptr && settingsHolder->state.Settings.HoldFrame == 1 &&
               settingsHolder->state.PlayState == program::PlayState::Load;
    };
    const platform::WindowHandles handles = settings.output == device::VideoOutput::Native
                                                ? platform::WindowHandles::Native
                                                : platform::WindowHandles::Painted;

    // Before the first window is shown, which is when the toolkit decides.
    app::LeaveWindowFramesToCompositor();
    const ui::TwipsGeometry twips = ui::TwipsGeometry::ForScreen(QGuiApplication::primaryScreen());
    ui::Form1 form(twips, handles);
    ui::OverrideCursor cursor;
    ui::QtScreen screen(twips, cursor, &form);
    ui::QtDialogs dialogs(twips, &form, line.unattended);
    ui::QtPointerDisplayCounter pointer(cursor);
    ui::QtEventPump events;

    device::MpvMciDevice device(settings, paths);

    platform::DBusScreenSaverInhibitor sessionScreenSaver;
    platform::X11ScreenSaverInhibitor serverScreenSaver(
        platform::X11ScreenSaverInhibitor::ApplicationDisplay());
    platform::ScreenSaverInhibitors screenSaver({&sessionScreenSaver, &serverScreenSaver});
    platform::SystemdServiceManager serviceManager;
    const app::ServiceHeartbeat heartbeat(serviceManager, form);
    app::ProgramExit exit(device, screenSaver, serviceManager);

    ui::QtWindowSystem windows(handles);
    const program::Services services{device, dialogs, screen,  *form.Timer1, events,
                                     exit,   pointer, profile, paths,        windows};
    program::StartupPlace place;
    std::error_code error;
    place.currentDirectory = std::filesystem::current_path(error).string();
    place.separator = static_cast<char>(std::filesystem::path::preferred_separator);
    place.commandLine = line.startupText;
    program::Program program(form, services, std::move(place));
    settingsHolder = &program;
    // Asked to stop from outside, the program ends as Esc ends it at once.
    const app::SignalEnd stopSignals([&program](int /*signal*/) {
        video::ShowMouse(program);
        program.services.end.endProgram(0);
    });

    // For the benchmarks only: QUORIX_TRACE=<file> receives the times of supervisor ticks and
    // of any stretch in which the window did not answer events.
    app::TimingTrace trace;
    if (const QByteArray tracePath = qgetenv("QUORIX_TRACE"); !tracePath.isEmpty()) {
        if (!trace.open(tracePath.toStdString())) {
            std::cerr << "quorix: cannot write the trace file '" << tracePath.toStdString()
                      << "'\n";
        } else {
            QObject::connect(form.Timer1, &ui::QtSupervisorTimer::tick, &trace,
                             [&trace] { trace.tick(); });
        }
    }
    app::ConnectActivation(program);
    app::ConnectPlaybackHandlers(program);
    app::ConnectPointerHandlers(program);

    startup::Form_Load(program);
    // The first tick comes after the window is shown and activated, however short the tick.
    app::FirstTickGate firstTick{std::chrono::milliseconds(startup::LongestTick)};
    app::ConnectSupervisor(program, firstTick);
    // libmpv and its video output start now, while the window is shown and waits for its first
    // tick: the output takes longer to come up than the shortest tick, and the first clip would
    // otherwise wait for it. Its threads do that work; this thread spends a few milliseconds.
    device.prepare();
    // The presentation runs from here on: the screen stays on until it ends.
    if (!screenSaver.inhibit()) {
        std::cerr << "quorix: the screen saver cannot be held off here (no screen saver service "
                     "on the session bus, no X11 screen saver extension)\n";
    }
    form.show();
    // Ask for the focus too: without a window manager (a kiosk's bare X server) nobody else
    // gives it, and activation is what draws the backdrop.
    form.activateWindow();
    firstTick.shown(app::FirstTickGate::Clock::now());
    const int status = QApplication::exec();
    serviceManager.stopping();
    screenSaver.release();
    return status;
}
