// quorix: presents the clips of the media folder found from the current directory.

#include "app/ProgramExit.h"
#include "menu/PointerHandlers.h"
#include "platform/FileProfileReader.h"
#include "platform/PathResolver.h"
#include "platform/mci/MpvMciDevice.h"
#include "platform/mci/VideoOutput.h"
#include "playback/PlaybackWiring.h"
#include "playback/Supervisor.h"
#include "startup/FormLoad.h"
#include "startup/Program.h"
#include "ui/Form1.h"
#include "ui/OverrideCursor.h"
#include "ui/QtDialogs.h"
#include "ui/QtEventPump.h"
#include "ui/QtPointerDisplayCounter.h"
#include "ui/QtScreen.h"
#include "ui/QtWindowSystem.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <clocale>
#include <filesystem>
#include <string>

namespace {

// The command-line text after the program name, words joined by single blanks.
std::string CommandLineText(int argc, char** argv) {
    std::string text;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) {
            text += ' ';
        }
        text += argv[i];
    }
    return text;
}

} // namespace

int main(int argc, char** argv) {
    // The video surface is a native child window; without this its siblings would turn native
    // too and paint black.
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    QApplication application(argc, argv);
    // Qt took the number format from the environment; libmpv needs "." decimals.
    std::setlocale(LC_NUMERIC, "C");

    using namespace quorix;
    const platform::PathResolver paths;
    platform::FileProfileReader profile(paths);

    const TwipsGeometry twips = TwipsGeometry::ForScreen(QGuiApplication::primaryScreen());
    Form1 form(twips);
    OverrideCursor cursor;
    QtScreen screen(twips, cursor, &form);
    QtDialogs dialogs(twips, &form);
    QtPointerDisplayCounter pointer(cursor);
    QtEventPump events;

    platform::mci::MpvSettings settings;
    settings.output = platform::mci::videoOutputForPlatform();
    settings.audio = true;
    platform::mci::MpvMciDevice device(settings, paths);
    ProgramExit exit(device);

    QtWindowSystem windows;
    const Services services{device, dialogs, screen,  *form.Timer1, events,
                            exit,   pointer, profile, paths,        windows};
    StartupPlace place;
    std::error_code error;
    place.currentDirectory = std::filesystem::current_path(error).string();
    place.separator = static_cast<char>(std::filesystem::path::preferred_separator);
    place.commandLine = CommandLineText(argc, argv);
    Program program(form, services, std::move(place));

    QObject::connect(&form, &Form1::activated, &form, [&program] { Form_Activate(program); });
    QObject::connect(form.Timer1, &QtSupervisorTimer::tick, &form,
                     [&program] { Timer1_Timer(program); });
    ConnectPlaybackHandlers(program);
    ConnectPointerHandlers(program);

    Form_Load(program);
    form.show();
    // Ask for the focus too: without a window manager (a kiosk's bare X server) nobody else
    // gives it, and activation is what draws the backdrop.
    form.activateWindow();
    return QApplication::exec();
}
