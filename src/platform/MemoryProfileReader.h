#pragma once

#include "platform/IniFile.h"
#include "platform/ProfileReader.h"

#include <map>
#include <string>
#include <vector>

namespace quorix::platform {

// Profile files held in memory, for tests: the same parsing and lookup as FileProfileReader, with
// file names matched exactly as the program passes them (no path resolution). A file never set
// behaves as a missing file. Every lookup is recorded, so a test can check which keys were read
// and in what order.
class MemoryProfileReader final : public ProfileReader {
public:
    struct Lookup {
        std::string section;
        std::string key;
        std::string defaultText;
        std::size_t bufferSize = 0;
        std::string fileName;

        bool operator==(const Lookup&) const = default;
    };

    // Sets or replaces the bytes of a file.
    void setFile(const std::string& fileName, std::string_view bytes);

    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultText, std::size_t bufferSize,
                           const std::string& fileName) override;

    const std::vector<Lookup>& lookups() const { return lookups_; }

private:
    std::map<std::string, IniFile, std::less<>> files_;
    std::vector<Lookup> lookups_;
};

} // namespace quorix::platform
