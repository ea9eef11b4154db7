#include "author/AuthorWindow.h"
#include "author/QtAuthorDialogs.h"
#include "device/MpvMciDevice.h"
#include "device/MpvSetUp.h"
#include "platform/PathResolver.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QStandardPaths>
#include <clocale>
#include <cstdio>
#include <string_view>

namespace {

// The presenter installed beside this program, else the one on the search path.
QString PresenterProgram() {
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/quorix");
    if (QFileInfo(beside).isExecutable()) {
        return beside;
    }
    const QString found = QStandardPaths::findExecutable(QStringLiteral("quorix"));
    return found.isEmpty() ? QStringLiteral("quorix") : found;
}

} // namespace

constexpr const char* Usage =
    "Usage: quorix-author [FOLDER]\n"
    "Writes the settings file quorix.ini of a disc for the Quorix presenter: its catalogue of\n"
    "clips, its settings, with the menu drawn as the presenter draws it and the problems the\n"
    "disc check finds. FOLDER is the media folder, or a folder holding it as quorix/ (default:\n"
    "the current folder).\n"
    "\n"
    "  -h, --help     show this text\n"
    "  --version      show the version\n";

int main(int argc, char** argv) {
    // Help and the version need no display.
    for (int i = 1; i < argc; ++i) {
        const std::string_view word = argv[i];
        if (word == "-h" || word == "--help") {
            std::fputs(Usage, stdout);
            return 0;
        }
        if (word == "--version") {
            std::printf("quorix-author %s\n", QUORIX_VERSION);
            return 0;
        }
    }

    QApplication application(argc, argv);
    // libmpv refuses to start unless numbers are read the C way.
    std::setlocale(LC_NUMERIC, "C");

    // The toolkit has taken its own options (-platform, -display ...) away by now.
    QStringList folders;
    const QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i].startsWith(u'-')) {
            std::fprintf(stderr, "quorix-author: unknown option %s\n%s", qPrintable(arguments[i]),
                         Usage);
            return 2;
        }
        folders.push_back(arguments[i]);
    }
    if (folders.size() > 1) {
        std::fprintf(stderr, "quorix-author: give one folder at most\n%s", Usage);
        return 2;
    }

    const quorix::platform::PathResolver paths;
    // The disc check measures clips on the real device, without picture or sound.
    quorix::device::MpvMciDevice device(quorix::device::SilentSettings(), paths);

    quorix::author::QtAuthorDialogs dialogs;
    quorix::author::QtProgramLauncher launcher;
    quorix::author::AuthorWindow window({dialogs, launcher, device, paths, PresenterProgram()});
    dialogs.setParent(&window);
    // Roomy where the screen allows, else the whole screen: never cut off (a 1024x768 screen
    // included), and a window manager's frame takes some of the room.
    const QSize room = window.screen()->availableGeometry().size();
    window.resize(QSize(1280, 800).boundedTo(room));
    if (room.width() < 1320 || room.height() < 880) {
        window.showMaximized();
    } else {
        window.show();
    }
    window.openFolder(folders.isEmpty() ? QDir::currentPath() : folders.front());
    return QApplication::exec();
}
