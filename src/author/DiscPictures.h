#pragma once

#include <QString>
#include <array>

namespace quorix::author {

// The pictures the presenter takes from the media folder, each under a fixed name and format.
struct DiscPicture {
    const char* fileName; // as the presenter looks it up
    const char* format;   // what the file has to hold
    const char* label;    // for the author
    const char* use;      // when and where the viewer sees it
};

const std::array<DiscPicture, 3>& DiscPictures();

// Writes the picture in `source` (any file the toolkit reads) to `target` in the picture's format,
// through a temporary file, so that a failure leaves the old picture. Empty when written, else
// why not.
QString WriteDiscPicture(const DiscPicture& picture, const QString& source, const QString& target);

} // namespace quorix::author
