#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quorix::platform {

// Turns a file name as the program builds it (a Windows-style path such as
// "d:\quorix\clip01.mpg", or a host path such as "/media/cdrom/quorix/clip01.mpg") into a host
// path. "\" and "/" both separate; each component is taken as it stands when it exists, else the
// first entry of its folder that matches it without regard to case (discs are often upper case,
// settings lower case). A drive prefix "X:" maps to the folder named by QUORIX_DRIVE_X, else to
// /mnt/x. A name that does not resolve comes back as the unresolved host path, so the caller finds
// it missing.
class PathResolver {
public:
    // Looks up an environment variable; no value when it is not set.
    using Environment = std::function<std::optional<std::string>(const std::string& name)>;

    // Reads the process environment.
    PathResolver();
    explicit PathResolver(Environment environment);

    std::string resolve(std::string_view programPath) const;

private:
    Environment environment_;
};

} // namespace quorix::platform
