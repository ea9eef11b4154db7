#include "platform/PictureFile.h"

#include <QFileInfo>
#include <QImageReader>

namespace quorix::platform {

std::optional<QPixmap> LoadPictureFile(const PathResolver& paths, const std::string& programPath) {
    const QString hostPath = QString::fromStdString(paths.resolve(programPath));
    const QFileInfo file(hostPath);
    if (!file.isFile()) {
        return std::nullopt;
    }
    // The format is taken from the content, not the name: discs carry pictures whose extension
    // does not tell the truth.
    QImageReader reader(hostPath);
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        return std::nullopt;
    }
    return QPixmap::fromImage(image);
}

} // namespace quorix::platform
