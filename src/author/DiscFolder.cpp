#include "author/DiscFolder.h"

#include "startup/MediaFolder.h"
#include "startup/ReadSetting.h"

#include <QDir>
#include <QFileInfo>

namespace quorix::author {

FoundDiscFolder FindDiscFolder(const QString& folder, const platform::PathResolver& paths) {
    FoundDiscFolder found;
    const QFileInfo given(folder);
    if (!given.exists()) {
        found.error = QStringLiteral("The folder %1 does not exist.").arg(folder);
        return found;
    }
    if (!given.isDir()) {
        found.error = QStringLiteral("%1 is not a folder.").arg(folder);
        return found;
    }
    const QByteArray absolute = QDir::cleanPath(given.absoluteFilePath()).toLocal8Bit();
    DiscFolder disc;
    disc.mediaPath = startup::FindMediaPath(
        std::string_view(absolute.constData(), static_cast<std::size_t>(absolute.size())), "", '/');
    const std::string host = paths.resolve(disc.mediaPath);
    disc.hostFolder =
        QDir::cleanPath(QString::fromLocal8Bit(host.data(), static_cast<qsizetype>(host.size())));
    if (!QFileInfo(disc.hostFolder).isDir()) {
        found.error = QStringLiteral("%1 holds no media folder: the presenter looks for a folder "
                                     "named \"quorix\" in it, or takes a folder whose path "
                                     "holds \"quorix\" as the media folder itself.")
                          .arg(folder);
        found.missingMediaFolder = disc.hostFolder;
        return found;
    }
    const std::string settings =
        paths.resolve(disc.mediaPath + std::string(startup::SettingsFileName));
    disc.settingsFile =
        QString::fromLocal8Bit(settings.data(), static_cast<qsizetype>(settings.size()));
    found.folder = std::move(disc);
    return found;
}

} // namespace quorix::author
