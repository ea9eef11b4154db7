#include "ScenarioFiles.h"

#include <cerrno>
#include <cstdint>
#include <fstream>
#include <iconv.h>
#include <optional>
#include <system_error>

namespace quorix::replay {
namespace {

// UTF-8 to Windows-1252; no value when a character has no Windows-1252 byte.
std::optional<std::string> ToWindows1252(const std::string& utf8) {
    iconv_t cd = iconv_open("WINDOWS-1252", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1))) {
        return std::nullopt;
    }
    std::string out(utf8.size(), '\0');
    std::string in = utf8;
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (result == static_cast<std::size_t>(-1)) {
        return std::nullopt;
    }
    out.resize(out.size() - outLeft);
    return out;
}

std::string WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::error_code error;
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path(), error);
        if (error) {
            return "cannot create " + path.parent_path().string() + ": " + error.message();
        }
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        return "cannot write " + path.string();
    }
    return {};
}

} // namespace

std::string WriteScenarioFile(const std::filesystem::path& path, const ScenarioCommand& command) {
    std::size_t first = 0;
    bool cp1252 = false;
    if (!command.content.empty() && command.content.front() == "encoding cp1252") {
        cp1252 = true;
        first = 1;
    }
    std::string text;
    for (std::size_t i = first; i < command.content.size(); ++i) {
        text += command.content[i];
        text += "\r\n";
    }
    if (cp1252) {
        auto bytes = ToWindows1252(text);
        if (!bytes) {
            return "line " + std::to_string(command.line) +
                   ": the file holds a character that Windows-1252 cannot write";
        }
        text = std::move(*bytes);
    }
    return WriteBytes(path, text);
}

std::string WritePlaceholderClip(const std::filesystem::path& path, long long frames) {
    return WriteBytes(path, "placeholder clip of " + std::to_string(frames) + " frames\n");
}

} // namespace quorix::replay
