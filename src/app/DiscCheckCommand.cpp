#include "app/DiscCheckCommand.h"

#include "check/CheckDisc.h"
#include "device/MpvMciDevice.h"
#include "device/MpvSetUp.h"
#include "platform/FileProfileReader.h"
#include "platform/PathResolver.h"
#include "startup/MediaFolder.h"

#include <QtGlobal>
#include <filesystem>
#include <iostream>

namespace quorix::app {
namespace {

QtMessageHandler toolkitHandler = nullptr;

// Outside a desktop session the toolkit warns, while it starts, that it has no runtime folder and
// picks one of its own. The check uses none, and an author reading the report would take the
// warning for a fault of the disc; every other message goes on to the toolkit's own handler.
void PassOverRuntimeFolderWarning(QtMsgType type, const QMessageLogContext& context,
                                  const QString& message) {
    if (type == QtWarningMsg &&
        message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) {
        return;
    }
    toolkitHandler(type, context, message);
}

} // namespace

void PrepareToolkitForCheck() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    toolkitHandler = qInstallMessageHandler(PassOverRuntimeFolderWarning);
}

int RunDiscCheck(const CommandLine& line) {
    const platform::PathResolver paths;
    platform::FileProfileReader profile(paths);

    device::MpvMciDevice device(device::SilentSettings(), paths);

    std::error_code error;
    const std::string currentDirectory = std::filesystem::current_path(error).string();
    if (error) {
        std::cerr << "quorix: cannot tell the current directory: " << error.message() << "\n";
        return 2;
    }
    const std::string mediaPath =
        startup::FindMediaPath(currentDirectory, line.startupText,
                               static_cast<char>(std::filesystem::path::preferred_separator));

    const check::DiscReport report = check::CheckDisc({profile, paths, device}, mediaPath,
                                                      {line.screenWidth, line.screenHeight});
    std::cout << check::ReportText(report) << std::flush;
    return report.sound() ? 0 : 1;
}

} // namespace quorix::app
