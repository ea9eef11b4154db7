#include "startup/MediaFolder.h"

namespace quorix {

std::string FindMediaPath(std::string_view currentDirectory, std::string_view commandLine,
                          char separator) {
    if (commandLine.find("/debug") != std::string_view::npos) {
        return std::string(DebugMediaPath);
    }

    // Only ASCII letters are lowered: on a case-sensitive file system the path resolver has to
    // find the folder again, and it matches names without regard to ASCII case only.
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

} // namespace quorix
