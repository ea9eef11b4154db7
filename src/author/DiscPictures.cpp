#include "author/DiscPictures.h"

#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QSaveFile>

namespace quorix::author {

const std::array<DiscPicture, 3>& DiscPictures() {
    static const std::array<DiscPicture, 3> pictures = {{
        {"bgrd.jpg", "JPEG", "Backdrop",
         "Behind the menu's titles, stretched over the menu area; only with the menu"},
        {"frame.jpg", "JPEG", "Frame",
         "Behind everything, at its own size from the top left corner: seen around the 16:9 "
         "band and where no backdrop covers it"},
        {"logo.bmp", "BMP", "Closing logo",
         "In the middle of the screen for three seconds at the end, with the closing logo on"},
    }};
    return pictures;
}

QString WriteDiscPicture(const DiscPicture& picture, const QString& source, const QString& target) {
    QImageReader reader(source);
    // Photographs keep their upright view.
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        return QStringLiteral("%1 cannot be read as a picture: %2.")
            .arg(source, reader.errorString());
    }
    // Both formats are read everywhere in plain 24-bit colour; a transparent part turns black, as
    // the screen behind it is.
    QImage opaque(image.size(), QImage::Format_RGB888);
    opaque.fill(Qt::black);
    {
        QPainter painter(&opaque);
        painter.drawImage(0, 0, image);
    }
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || !opaque.save(&file, picture.format, 90) ||
        !file.commit()) {
        return QStringLiteral("%1 cannot be written: %2.").arg(target, file.errorString());
    }
    return {};
}

} // namespace quorix::author
