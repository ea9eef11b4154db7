#include "author/AuthorWindow.h"
#include "author/QtAuthorDialogs.h"
#include "platform/PathResolver.h"
#include "platform/mci/MpvMciDevice.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <clocale>

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

int main(int argc, char** argv) {
    // The media device's pictures would go into native windows: keep their siblings plain.
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quorix-author"));
    QApplication::setApplicationVersion(QStringLiteral(QUORIX_VERSION));
    // libmpv refuses to start unless numbers are read the C way.
    std::setlocale(LC_NUMERIC, "C");

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes the settings file quorix.ini of a disc for the Quorix presenter."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("FOLDER"),
        QStringLiteral("The disc's media folder, or a folder holding it as quorix/ (default: the "
                       "current folder)."));
    parser.process(application);
    const QStringList folders = parser.positionalArguments();
    if (folders.size() > 1) {
        std::fputs("quorix-author: give one folder at most\n", stderr);
        return 2;
    }

    const quorix::platform::PathResolver paths;
    // The disc check measures clips on the real device, without picture or sound.
    quorix::platform::mci::MpvSettings settings;
    settings.output = quorix::platform::mci::VideoOutput::None;
    settings.audio = false;
    quorix::platform::mci::MpvMciDevice device(settings, paths);

    quorix::author::QtAuthorDialogs dialogs;
    quorix::author::QtProgramLauncher launcher;
    quorix::author::AuthorWindow window({dialogs, launcher, device, paths, PresenterProgram()});
    dialogs.setParent(&window);
    window.resize(1280, 800);
    window.show();
    window.openFolder(folders.isEmpty() ? QDir::currentPath() : folders.front());
    return QApplication::exec();
}
