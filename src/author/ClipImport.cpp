#include "author/ClipImport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quorix::author {
namespace {

// Program paths name folders with "\", as discs made on Windows do; the presenter's path
// resolver takes both separators.
QString ProgramName(const QDir& media, const QString& hostFile) {
    return media.relativeFilePath(hostFile).replace(u'/', u'\\');
}

} // namespace

ImportedClip ImportClip(const QString& mediaFolder, const QString& clipFile,
                        ClipPlacement placement) {
    ImportedClip imported;
    const QFileInfo source(clipFile);
    if (!source.isFile()) {
        imported.error = QStringLiteral("%1 is not a file.").arg(clipFile);
        return imported;
    }
    imported.title = source.completeBaseName();
    const QDir media(QFileInfo(mediaFolder).canonicalFilePath());
    const QString sourcePath = source.canonicalFilePath();
    const bool inside = sourcePath.startsWith(media.path() + u'/');
    if (inside || placement == ClipPlacement::Reference) {
        imported.file = ProgramName(media, sourcePath);
        return imported;
    }
    const QString target = media.filePath(source.fileName());
    if (QFileInfo::exists(target)) {
        imported.error = QStringLiteral("The media folder already holds a file named %1; it is "
                                        "left as it is and the clip is not copied.")
                             .arg(source.fileName());
        return imported;
    }
    QFile file(sourcePath);
    if (!file.copy(target)) {
        imported.error = QStringLiteral("%1 cannot be copied into the media folder: %2.")
                             .arg(clipFile, file.errorString());
        return imported;
    }
    imported.file = ProgramName(media, target);
    return imported;
}

} // namespace quorix::author
