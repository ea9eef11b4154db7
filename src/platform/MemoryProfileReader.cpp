#include "platform/MemoryProfileReader.h"

namespace quorix::platform {

void MemoryProfileReader::setFile(const std::string& fileName, std::string_view bytes) {
    files_.insert_or_assign(fileName, IniFile(std::string(bytes)));
}

std::string MemoryProfileReader::readString(std::string_view section, std::string_view key,
                                            std::string_view defaultText, std::size_t bufferSize,
                                            const std::string& fileName) {
    lookups_.push_back(Lookup{std::string(section), std::string(key), std::string(defaultText),
                              bufferSize, fileName});
    const auto file = files_.find(fileName);
    if (file == files_.end()) {
        return IniFile().readString(section, key, defaultText, bufferSize);
    }
    return file->second.readString(section, key, defaultText, bufferSize);
}

} // namespace quorix::platform
