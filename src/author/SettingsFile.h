#pragma once

#include "author/IniDocument.h"

#include <QString>
#include <optional>
#include <string>

namespace quorix::author {

// The encoding a document is saved in: a UTF-8 file stays UTF-8 (with its byte-order mark when
// it had one); any other is written in Windows-1252, which the Windows presenter reads, when every
// character has a byte there, else in UTF-8 without a mark.
TextEncoding SavingEncoding(const IniDocument& document);

// What saving the document in UTF-8 means for the Windows presenter, to be said before it is
// saved; empty when it is saved in Windows-1252.
QString Utf8SavingNotice(const IniDocument& document);

struct LoadedSettingsFile {
    std::optional<IniDocument> document; // no value when the file is there but cannot be read
    bool existed = false;                // false: a new, empty document
    std::string bytes;                   // the file as read
    QString error;                       // why it could not be read
};

// Reads the settings file at a host path. A file that is not there gives an empty document.
LoadedSettingsFile LoadSettingsFile(const QString& path);

struct SavedSettingsFile {
    bool saved = false;
    TextEncoding encoding = TextEncoding::Windows1252;
    std::string bytes; // what was written
    QString error;     // why it was not saved; the file on disc is then as it was before
};

// Writes the document to a host path through a temporary file in the same folder that takes the
// old file's place only once it is completely written, so a failure never loses the old file.
SavedSettingsFile SaveSettingsFile(const QString& path, const IniDocument& document);

} // namespace quorix::author
