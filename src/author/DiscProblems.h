#pragma once

#include "author/IniDocument.h"
#include "platform/MciDevice.h"
#include "platform/PathResolver.h"

#include <string>
#include <vector>

namespace quorix::author {

// What the disc check finds wrong with the disc as it is being written: the document's settings
// and catalogue (as they will be once saved) with the clips and pictures of the media folder
// `mediaPath`, checked by the presenter's own disc check on the given device. One line each.
std::vector<std::string> DiscProblems(const IniDocument& document, const std::string& mediaPath,
                                      const platform::PathResolver& paths,
                                      platform::MciDevice& device);

} // namespace quorix::author
