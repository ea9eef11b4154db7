#pragma once

#include "platform/ProfileReader.h"
#include "program/ClipCatalogue.h"

#include <string>
#include <vector>

namespace quorix::check {

// Problems of sections [cliplist] and [filelist] that the presenter passes over without a word,
// one line each: titles after a gap or beyond the 16 slots (never read), titles without a file
// entry and the entries the first of them cuts off, titles given twice (they share one file
// entry), and a catalogue without a playable entry. `catalogue` is what start-up reads from the
// same file.
std::vector<std::string> CatalogueProblems(platform::ProfileReader& reader,
                                           const std::string& mediaPath,
                                           const program::ClipCatalogue& catalogue);

} // namespace quorix::check
