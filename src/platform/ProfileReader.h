#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorix::platform {

// Reads one value of a profile (INI) file the way the Windows profile-string reader does.
// Works on bytes. The file name is a program path (MediaPath + "quorix.ini"), resolved on the
// host by the implementation.
class ProfileReader {
public:
    virtual ~ProfileReader() = default;
    // Returns the value text, or the default text when the file, section or key is missing,
    // cut to at most bufferSize - 1 bytes (bufferSize 0 gives the empty text).
    virtual std::string readString(std::string_view section, std::string_view key,
                                   std::string_view defaultText, std::size_t bufferSize,
                                   const std::string& fileName) = 0;
};

} // namespace quorix::platform
