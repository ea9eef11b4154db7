#include "check/AutorunCheck.h"

#include <array>
#include <filesystem>

namespace quorix::check {

std::vector<std::string> DescribeAutorun(const std::string& hostFolder) {
    namespace fs = std::filesystem;
    fs::path folder(hostFolder);
    if (folder.filename().empty()) {
        folder = folder.parent_path();
    }
    const fs::path root = folder.parent_path();
    constexpr std::array<const char*, 3> Names{".autorun", "autorun", "autorun.sh"};
    for (const char* name : Names) {
        const fs::path file = root / name;
        std::error_code error;
        if (!fs::is_regular_file(file, error)) {
            continue;
        }
        const auto permissions = fs::status(file, error).permissions();
        const bool runnable = (permissions & fs::perms::owner_exec) != fs::perms::none;
        return {"Autorun: " + file.string() +
                (runnable ? std::string() : " (not executable: a desktop will not run it)")};
    }
    return {"Autorun: none at " + root.string() +
            " (a desktop will not offer to start the presenter when the medium is inserted)"};
}

} // namespace quorix::check
