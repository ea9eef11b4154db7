#include "author/DiscProblems.h"

#include "author/DocumentProfile.h"
#include "check/CheckDisc.h"

namespace quorix::author {

std::vector<std::string> DiscProblems(const IniDocument& document, const std::string& mediaPath,
                                      const platform::PathResolver& paths,
                                      platform::MciDevice& device) {
    platform::MemoryProfileReader profile = DocumentProfile(document, mediaPath);
    return check::CheckDisc({profile, paths, device}, mediaPath).problems;
}

} // namespace quorix::author
