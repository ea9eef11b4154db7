#pragma once

#include "author/IniDocument.h"

#include <QString>
#include <optional>

namespace quorix::author {

// The encoding a document is saved in: Windows-1252, which the Windows presenter reads, when
// every character has a byte there; else UTF-8 (without a byte-order mark, which the Windows
// reader would glue to the first section's name).
TextEncoding SavingEncoding(const IniDocument& document);

struct LoadedSettingsFile {
    std::optional<IniDocument> document; // no value when the file is there but cannot be read
    bool existed = false;                // false: a new, empty document
    QString error;                       // why it could not be read
};

// Reads the settings file at a host path. A file that is not there gives an empty document.
LoadedSettingsFile LoadSettingsFile(const QString& path);

struct SavedSettingsFile {
    bool saved = false;
    TextEncoding encoding = TextEncoding::Windows1252;
    QString error;   // why it was not saved; the file on disc is then as it was before
    QString warning; // saved, but the Windows presenter will show some titles wrongly
};

// Writes the document to a host path through a temporary file in the same folder that takes the
// old file's place only once it is completely written, so a failure never loses the old file.
SavedSettingsFile SaveSettingsFile(const QString& path, const IniDocument& document);

} // namespace quorix::author
