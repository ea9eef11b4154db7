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

// The file's name as a title: characters that would break the title's key line go.
QString TitleFor(const QFileInfo& file) {
    QString title = file.completeBaseName().replace(u'=', u'-');
    while (!title.isEmpty() && (title.front() == u';' || title.front() == u'[')) {
        title.remove(0, 1);
    }
    title = title.trimmed();
    return title.isEmpty() ? QStringLiteral("Clip") : title;
}

} // namespace

QString ClipNameProblem(const QString& file) {
    if (file.trimmed().isEmpty()) {
        return QStringLiteral("a title needs a clip file (remove the entry instead)");
    }
    if (file.contains(u'\r') || file.contains(u'\n')) {
        return QStringLiteral("it holds a line break, which would end the file entry's line and "
                              "the presenter's catalogue with it");
    }
    if (file.contains(u'\t')) {
        return QStringLiteral("it holds a tab, which the Windows presenter's media device reads as "
                              "a gap between two words of its open command");
    }
    for (const QChar c : file) {
        if (c.category() == QChar::Other_Control) {
            return QStringLiteral("it holds a control character, which names no file on Windows");
        }
    }
    if (file.contains(u'"')) {
        return QStringLiteral("it holds a double quote, which no open command of the media device "
                              "can name");
    }
    return {};
}

ImportedClip ImportClip(const QString& mediaFolder, const QString& clipFile,
                        ClipPlacement placement) {
    ImportedClip imported;
    const QFileInfo source(clipFile);
    if (!source.isFile()) {
        imported.error = QStringLiteral("%1 is not a file.").arg(clipFile);
        return imported;
    }
    imported.title = TitleFor(source);
    const QDir media(QFileInfo(mediaFolder).canonicalFilePath());
    const QString sourcePath = source.canonicalFilePath();
    const bool inside = sourcePath.startsWith(media.path() + u'/');
    const bool referenced = inside || placement == ClipPlacement::Reference;
    const QString name = referenced ? ProgramName(media, sourcePath) : source.fileName();
    if (const QString problem = ClipNameProblem(name); !problem.isEmpty()) {
        imported.error =
            QStringLiteral("\"%1\" cannot be a clip of the disc: %2.").arg(name, problem);
        return imported;
    }
    if (referenced) {
        imported.file = name;
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
