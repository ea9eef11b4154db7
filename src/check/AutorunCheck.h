#pragma once

#include <string>
#include <vector>

namespace quorix::check {

// Whether the medium that holds the media folder starts the presenter by itself: desktops that
// follow the freedesktop autorun convention offer to run ".autorun", "autorun" or "autorun.sh"
// from the root of a newly mounted medium. The root is the folder above the media folder
// `hostFolder` (a host path). Report lines; a disc without such a file is not a fault.
std::vector<std::string> DescribeAutorun(const std::string& hostFolder);

} // namespace quorix::check
