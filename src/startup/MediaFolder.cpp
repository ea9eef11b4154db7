#include "startup/MediaFolder.h"

namespace quorix::startup {

std::string FindMediaPath(std::string_view currentDirectory, std::string_view commandLine,
                          char separator) {
    if (commandLine.find("/debug") != std::string_view::npos) {
        return std::string(DebugMediaPath);
    }

    // Only ASCII letters are lowered: the other bytes of a host path need not be text in any one
    // encoding, and the path resolver finds the folder again as long as the bytes stay its own.
    std::string path(currentDirectory);
    for (char& c : path) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }

    const bool endsInSeparator = !path.empty() && path.back() == separator;
    if (path.find("quorix") != std::string::npos) {
        if (!endsInSeparator) {
            path += separator;
        }
        return path;
    }
    if (!endsInSeparator) {
        path += separator;
    }
    path += "quorix";
    path += separator;
    return path;
}

} // namespace quorix::startup
