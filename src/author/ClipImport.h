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

// Why the presenter cannot play a clip whose [filelist] value is `file`, or an empty text when it
// can. The value is one line of the settings file, and the Windows presenter names it in the media
// device's open command, where a tab counts as a blank between words and no double quote fits.
QString ClipNameProblem(const QString& file);

// Brings a clip file into the disc whose media folder is `mediaFolder` (a host folder). A file
// that already lies inside the media folder is always referenced. A copy never overwrites a file
// of the media folder. A file whose name the presenter cannot use is refused before anything is
// copied. The title is one that can stand as a key of [filelist].
ImportedClip ImportClip(const QString& mediaFolder, const QString& clipFile,
                        ClipPlacement placement);

} // namespace quorix::author
