#pragma once

#include "author/IniDocument.h"

#include <QString>
#include <vector>

namespace quorix::author {

// One title of the menu and the clip it plays.
struct CatalogueEntry {
    QString title;
    QString file; // relative to the media folder, as [filelist] holds it; empty when it has none
    QString xpos; // placing values as written, empty when absent
    QString ypos;
    // The title under which the document holds this entry's file entry, empty for a new entry:
    // a renamed title renames its file entry in place.
    QString writtenTitle;
};

// The catalogue as an author edits it: the entries in menu order, the intro and the closing logo.
struct DiscCatalogue {
    static constexpr int MaxEntries = 16; // the presenter has sixteen slots

    std::vector<CatalogueEntry> entries;
    int intro = 0; // 0-based index of the intro entry; -1: none
    bool closingLogo = false;
};

// Reads the catalogue as the presenter does: titles clip00, clip01 ... up to the first missing
// one (sixteen at most), each with its [filelist] entry (empty when it has none); the intro and
// the closing logo as start-up understands "intro" and "logomode".
DiscCatalogue ReadDiscCatalogue(const IniDocument& document);

// Writes the catalogue into the document, touching only what differs: titles as clip00 ... in
// order (titles after the last entry removed), placing values with their entries, one [filelist]
// entry per title (renamed in place when a title was renamed, removed when its title is gone),
// and "intro" and "logomode" only when the presenter would read them differently. A title that
// cannot be a key name (see IniDocument::KeyNameProblem) gets no file entry. Updates each entry's
// writtenTitle.
void WriteDiscCatalogue(IniDocument& document, DiscCatalogue& catalogue);

} // namespace quorix::author
