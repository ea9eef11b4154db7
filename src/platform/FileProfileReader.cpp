#include "platform/FileProfileReader.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <utility>

namespace quorix::platform {

std::optional<ProfileFileBytes> ReadProfileFile(const std::string& hostPath) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(hostPath, error)) {
        return std::nullopt;
    }
    std::ifstream in(hostPath, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    ProfileFileBytes read;
    const std::uintmax_t size = std::filesystem::file_size(hostPath, error);
    read.bytes.reserve(
        error ? 0 : static_cast<std::size_t>(std::min<std::uintmax_t>(size, ProfileReadLimit)));
    char chunk[64 * 1024];
    while (read.bytes.size() < ProfileReadLimit) {
        const std::size_t wanted = std::min(sizeof chunk, ProfileReadLimit - read.bytes.size());
        in.read(chunk, static_cast<std::streamsize>(wanted));
        read.bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
        if (static_cast<std::size_t>(in.gcount()) < wanted) {
            break;
        }
    }
    if (in.bad()) {
        return std::nullopt;
    }
    read.cutShort =
        read.bytes.size() == ProfileReadLimit && in.peek() != std::ifstream::traits_type::eof();
    return read;
}

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
    std::optional<ProfileFileBytes> read = ReadProfileFile(resolver_.resolve(fileName));
    // An unreadable file is remembered as a file without keys, so that it is not tried again for
    // every key.
    IniFile parsed = read ? IniFile(std::move(read->bytes), read->cutShort) : IniFile();
    return files_.emplace(fileName, std::move(parsed)).first->second;
}

} // namespace quorix::platform
