#include "check/SettingsFileChecks.h"

#include "platform/FileProfileReader.h"
#include "platform/IniFile.h"

#include <filesystem>

namespace quorix::check {

SettingsFileChecks CheckSettingsFile(const std::string& hostPath) {
    SettingsFileChecks checks;
    const std::optional<platform::ProfileFileBytes> read = platform::ReadProfileFile(hostPath);
    if (!read) {
        checks.problems.push_back("settings file " + hostPath + " cannot be read");
        return checks;
    }
    switch (platform::TextMarkOf(read->bytes)) {
    case platform::ProfileTextMark::Utf8:
        checks.lines.emplace_back(
            "  begins with a UTF-8 byte-order mark: read as UTF-8, the mark skipped (Windows' "
            "profile reader keeps it and loses the first section)");
        break;
    case platform::ProfileTextMark::Utf16LittleEndian:
        checks.lines.emplace_back("  begins with a UTF-16LE byte-order mark: read as UTF-16LE");
        break;
    case platform::ProfileTextMark::None:
        break;
    }
    if (read->cutShort) {
        std::error_code error;
        const std::uintmax_t size = std::filesystem::file_size(hostPath, error);
        checks.problems.push_back(
            "settings file " + hostPath + " is " +
            (error ? std::string("larger than that") : std::to_string(size) + " bytes") +
            ": only its first " + std::to_string(platform::ProfileReadLimit) +
            " bytes are read, up to their last whole line, and the rest is ignored");
    }
    return checks;
}

} // namespace quorix::check
