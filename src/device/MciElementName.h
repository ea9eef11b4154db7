#pragma once

#include <optional>
#include <string>

namespace quorix::device {

// A file path as an "open" command names it. The command language splits words at blanks, so a
// path with a blank goes in double quotes; any other path goes as it stands.
//
// The language has no way to write a double quote inside a name: the path's own quote would end
// the name there and the rest would be read as more words of the command, so that a file entry
// such as b.mpg" wait "notify would open b.mpg. Windows allows no double quote in a file name, so
// no clip of a disc made there has one: such a path names nothing, and gives no value. Nor does a
// path holding a NUL: a command string ends at its first NUL.
std::optional<std::string> MciElementName(const std::string& path);

} // namespace quorix::device
