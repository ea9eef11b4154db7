#include "author/SettingsFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace quorix::author {

TextEncoding SavingEncoding(const IniDocument& document) {
    return document.fitsWindows1252() ? TextEncoding::Windows1252 : TextEncoding::Utf8;
}

LoadedSettingsFile LoadSettingsFile(const QString& path) {
    LoadedSettingsFile loaded;
    const QFileInfo info(path);
    if (!info.exists()) {
        loaded.document = IniDocument();
        return loaded;
    }
    loaded.existed = true;
    if (!info.isFile()) {
        loaded.error = QStringLiteral("%1 is not a file.").arg(path);
        return loaded;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        loaded.error = QStringLiteral("%1 cannot be read: %2.").arg(path, file.errorString());
        return loaded;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        loaded.error = QStringLiteral("%1 cannot be read: %2.").arg(path, file.errorString());
        return loaded;
    }
    loaded.document = IniDocument::FromBytes(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return loaded;
}

SavedSettingsFile SaveSettingsFile(const QString& path, const IniDocument& document) {
    SavedSettingsFile result;
    result.encoding = SavingEncoding(document);
    const std::string bytes = document.toBytes(result.encoding);

    // Unbuffered: a buffered write that the disc cuts short at the final flush has been seen to
    // pass commit() unnoticed, leaving a truncated file in the old one's place.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        result.error = QStringLiteral("%1 cannot be written: %2.").arg(path, file.errorString());
        return result;
    }
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        file.error() != QFileDevice::NoError) {
        result.error = QStringLiteral("%1 cannot be written: %2.").arg(path, file.errorString());
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) {
        result.error = QStringLiteral("%1 cannot be written: %2.").arg(path, file.errorString());
        return result;
    }
    result.saved = true;
    if (result.encoding == TextEncoding::Utf8) {
        result.warning = QStringLiteral(
            "Some text has characters that Windows-1252 lacks, so quorix.ini was saved as "
            "UTF-8. The Windows presenter shows titles with such characters wrongly.");
    }
    return result;
}

} // namespace quorix::author
