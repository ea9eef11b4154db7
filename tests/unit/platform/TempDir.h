#pragma once

#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace quorix::platform::testing_support {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
// Canonical, so that paths compare equal to what the file system reports.
class TempDir {
public:
    bool valid() const { return !path_.empty(); }
    const std::filesystem::path& path() const { return path_; }

    std::filesystem::path write(const std::string& relative, std::string_view bytes) const {
        const std::filesystem::path file = path_ / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
        return file;
    }

private:
    QTemporaryDir folder_{QDir::tempPath() + "/quorix-XXXXXX"};
    std::filesystem::path path_ = folder_.isValid()
                                      ? std::filesystem::canonical(folder_.path().toStdString())
                                      : std::filesystem::path();
};

} // namespace quorix::platform::testing_support
