#include "author/SettingsFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace quorix::author {

TextEncoding SavingEncoding(const IniDocument& document) {
    return document.readEncoding() == TextEncoding::Utf8 || !document.fitsWindows1252()
               ? TextEncoding::Utf8
               : TextEncoding::Windows1252;
}

QString Utf8SavingNotice(const IniDocument& document) {
    if (SavingEncoding(document) != TextEncoding::Utf8) {
        return {};
    }
    QString notice =
        document.readEncoding() == TextEncoding::Utf8
            ? QStringLiteral("quorix.ini will be saved in UTF-8, as it was written before.")
            : QStringLiteral("quorix.ini has to be saved in UTF-8: some of its text has "
                             "characters that Windows-1252 lacks.");
    notice += QStringLiteral(
        " The presenter on Linux reads it as it should. The Windows presenter reads every "
        "file as Windows-1252: there, titles with letters beyond plain English show garbled "
        "(\u201cB\u00e4r\u201d as \u201cB\u00c3\u00a4r\u201d), and clip files whose names "
        "hold such letters are not found.");
    if (document.byteOrderMark()) {
        notice += QStringLiteral(" The file also begins with a UTF-8 mark, which the Windows "
                                 "presenter takes as part of the first line: a section heading "
                                 "there is lost with all its keys.");
    }
    return notice;
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
    loaded.bytes.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    loaded.document = IniDocument::FromBytes(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return loaded;
}

SavedSettingsFile SaveSettingsFile(const QString& path, const IniDocument& document) {
    SavedSettingsFile result;
    result.encoding = SavingEncoding(document);
    result.bytes = document.toBytes(result.encoding);
    const std::string& bytes = result.bytes;

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
    return result;
}

} // namespace quorix::author
