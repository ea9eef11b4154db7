#pragma once

#include "platform/IniFile.h"
#include "platform/PathResolver.h"
#include "platform/ProfileReader.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>

namespace quorix::platform {

// The most of a profile file that is read. Settings files are a few kilobytes; one far beyond
// this is no settings file, and reading it whole would hold up the window and take memory by the
// hundred megabytes.
inline constexpr std::size_t ProfileReadLimit = 1024 * 1024;

// What is read of a profile file: all of it, or its first ProfileReadLimit bytes.
struct ProfileFileBytes {
    std::string bytes;
    bool cutShort = false; // the file goes on beyond what was read
};

// No value when the host path is not a regular file or cannot be read. Devices and pipes are
// refused before opening: reading one could block or never end.
std::optional<ProfileFileBytes> ReadProfileFile(const std::string& hostPath);

// Reads profile files from the host's file system. Each file name is resolved and read on its
// first lookup, and its parsed contents serve every later lookup: the program reads its settings
// once at start-up, and a file edited afterwards is not seen again. A file that is missing, is not
// a regular file (a folder, a device) or cannot be read gives the default for every key, as the
// Windows reader does; there is nowhere to report it, and the settings treat it as "no keys". Of a
// larger file only the first ProfileReadLimit bytes count, up to their last whole line.
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
