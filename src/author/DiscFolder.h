#pragma once

#include "platform/PathResolver.h"

#include <QString>
#include <optional>
#include <string>

namespace quorix::author {

// The media folder an author works on, found from the folder given the way the presenter finds
// it from its current directory: a folder whose path holds "quorix" is the media folder itself,
// any other folder D means D/quorix/.
struct DiscFolder {
    std::string mediaPath; // program path, ending in "/", as the presenter builds it
    QString hostFolder;    // the folder on this machine
    QString settingsFile;  // its quorix.ini (which need not exist yet)
};

struct FoundDiscFolder {
    std::optional<DiscFolder> folder;
    QString error; // why there is none
    // The media folder the presenter would look for, when the folder given exists but lacks it
    // (its quorix/); making it starts a disc there.
    QString missingMediaFolder;
};

FoundDiscFolder FindDiscFolder(const QString& folder, const platform::PathResolver& paths);

} // namespace quorix::author
