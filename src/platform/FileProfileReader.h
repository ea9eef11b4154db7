#pragma once

#include "platform/IniFile.h"
#include "platform/PathResolver.h"
#include "platform/ProfileReader.h"

#include <map>
#include <string>

namespace quorix::platform {

// Reads profile files from the host's file system. Each file name is resolved and read on its
// first lookup, and its parsed contents serve every later lookup: the program reads its settings
// once at start-up, and a file edited afterwards is not seen again. A file that is missing, is not
// a regular file (a folder, a device) or cannot be read gives the default for every key, as the
// Windows reader does; there is nowhere to report it, and the settings treat it as "no keys".
// Not thread-safe; the program reads settings on its one thread.
class FileProfileReader final : public ProfileReader {
public:
    FileProfileReader();
    explicit FileProfileReader(PathResolver resolver);

    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultText, std::size_t bufferSize,
                           const std::string& fileName) override;

private:
    const IniFile& fileNamed(const std::string& fileName);

    PathResolver resolver_;
    // Parsed files by the program's file name, as passed in.
    std::map<std::string, IniFile, std::less<>> files_;
};

} // namespace quorix::platform
