#pragma once

#include "platform/ProfileReader.h"
#include "program/ClipCatalogue.h"

#include <string>

namespace quorix::startup {

// Reads the clip catalogue from sections [cliplist] and [filelist]: the longest run of entries
// from index 0 on that have both a title and a file entry.
program::ClipCatalogue ReadCatalogue(platform::ProfileReader& reader, const std::string& mediaPath);

} // namespace quorix::startup
