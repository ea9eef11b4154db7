#include "platform/FileProfileReader.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <utility>

namespace quorix::platform {
namespace {

// The whole file, or no value when it is not a regular file or cannot be read. Devices and pipes
// are refused before opening: reading one could block or never end.
std::optional<std::string> ReadRegularFile(const std::string& hostPath) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(hostPath, error)) {
        return std::nullopt;
    }
    std::ifstream in(hostPath, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string bytes;
    char chunk[64 * 1024];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace

FileProfileReader::FileProfileReader() = default;

FileProfileReader::FileProfileReader(PathResolver resolver) : resolver_(std::move(resolver)) {}

std::string FileProfileReader::readString(std::string_view section, std::string_view key,
                                          std::string_view defaultText, std::size_t bufferSize,
                                          const std::string& fileName) {
    return fileNamed(fileName).readString(section, key, defaultText, bufferSize);
}

const IniFile& FileProfileReader::fileNamed(const std::string& fileName) {
    if (const auto known = files_.find(fileName); known != files_.end()) {
        return known->second;
    }
    const std::optional<std::string> bytes = ReadRegularFile(resolver_.resolve(fileName));
    // An unreadable file is remembered as a file without keys, so that it is not tried again for
    // every key.
    IniFile parsed = bytes ? IniFile(*bytes) : IniFile();
    return files_.emplace(fileName, std::move(parsed)).first->second;
}

} // namespace quorix::platform
