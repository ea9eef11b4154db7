#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quorix::platform {

// Turns a file name as the program builds it (a Windows-style path such as
// "d:\quorix\clip01.mpg", or a host path such as "/media/cdrom/quorix/clip01.mpg") into a host
// path. "\" and "/" both separate; each component is taken as it stands when it exists, else as
// text decoded the way titles are (UTF-8 when valid, else Windows-1252, the code page of discs
// authored on Windows) when that exists, else the first entry of its folder that matches it
// without regard to case, letter by letter through a one-to-one upper-case mapping as Windows file
// systems compare names (discs are often upper case, settings lower case). A drive prefix "X:"
// maps to the folder named by QUORIX_DRIVE_X, else to /mnt/x. A name that does not resolve comes
// back as the unresolved host path, with its unresolved components decoded, so the caller finds
// it missing. A name holding a NUL names no file and comes back empty.
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
