#pragma once

#include "author/IniDocument.h"
#include "platform/MemoryProfileReader.h"

#include <string>

namespace quorix::author {

// The document as the presenter's profile reader will see it once saved: its bytes, in the
// encoding they will be saved in, as the file "quorix.ini" of the media folder `mediaPath` (a
// program path ending in its separator). The presenter's own readers then tell what it makes of
// the settings and the catalogue.
platform::MemoryProfileReader DocumentProfile(const IniDocument& document,
                                              const std::string& mediaPath);

} // namespace quorix::author
