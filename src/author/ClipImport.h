#pragma once

#include <QString>

namespace quorix::author {

// How a clip file the author adds reaches the disc.
enum class ClipPlacement {
    Copy,      // copied into the media folder, under its own name
    Reference, // left where it lies and named relative to the media folder
};

struct ImportedClip {
    QString file;  // the [filelist] value: relative to the media folder, "\" between folders
    QString title; // a title to start with: the file's name without its extension
    QString error; // why the clip could not be added; file is then empty
};

// Brings a clip file into the disc whose media folder is `mediaFolder` (a host folder). A file
// that already lies inside the media folder is always referenced. A copy never overwrites a file
// of the media folder.
ImportedClip ImportClip(const QString& mediaFolder, const QString& clipFile,
                        ClipPlacement placement);

} // namespace quorix::author
