#pragma once

#include "platform/PathResolver.h"

#include <QPixmap>
#include <optional>
#include <string>

namespace quorix::platform {

// Loads a JPEG or BMP picture named by a program path. No value when the file is missing or is
// not a picture that can be decoded: such a file counts as absent, so the layout that would
// show it is skipped as for a missing one.
std::optional<QPixmap> LoadPictureFile(const PathResolver& paths, const std::string& programPath);

} // namespace quorix::platform
