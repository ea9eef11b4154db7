#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace quorix::platform::testing_support {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
// Canonical, so that paths compare equal to what the file system reports.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "quorix-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            path_ = std::filesystem::canonical(pattern);
        }
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    bool valid() const { return !path_.empty(); }
    const std::filesystem::path& path() const { return path_; }

    std::filesystem::path write(const std::string& relative, std::string_view bytes) const {
        const std::filesystem::path file = path_ / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
        return file;
    }

private:
    std::filesystem::path path_;
};

} // namespace quorix::platform::testing_support
