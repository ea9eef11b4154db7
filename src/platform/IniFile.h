#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quorix::platform {

// The mark at the start of a profile file that says how its text is written.
enum class ProfileTextMark {
    None,             // bytes, taken as they stand
    Utf8,             // EF BB BF: the rest is UTF-8
    Utf16LittleEndian // FF FE: the rest is UTF-16LE
};

ProfileTextMark TextMarkOf(std::string_view fileBytes);

// A profile (INI) file, answering lookups the way the Windows profile-string reader does. Bytes in,
// bytes out: names match without regard to ASCII case, and every other byte (Windows-1252, UTF-8,
// NUL) is kept as it stands. A file that starts with a byte-order mark is first turned into UTF-8
// text without the mark (see TextMarkOf).
//
// Syntax, line by line (a line ends at CR, LF or CRLF; blanks are space, tab, VT and Ctrl-Z, and
// are trimmed from both ends of a line):
// - a line whose first character is ";" is a comment ("#" is ordinary, ";" later in a line is
// text);
// - a line whose first character is "[" starts a section; its name runs to the first "]" or to the
//   end of the line, trimmed; "[]" names the empty section; text after the "]" is ignored;
// - any other line is a key: the text before the first "=" is the key, the rest the value, both
//   trimmed; one pair of matching outer quotes (' or ") is removed from the value; a line without
//   "=" is a key without a value, and looking it up gives the default;
// - lines before the first section header belong to no section and cannot be looked up;
// - only the first section of a name counts (later ones are ignored with all their keys), and
//   within it the first line of a key.
//
// Nothing but the text is kept: a lookup walks the lines from the start. Settings files are a few
// kilobytes and are looked up some dozens of times, and a file of a megabyte of tiny lines costs
// no more memory than its text.
class IniFile {
public:
    // A file with no sections: every lookup gives the default.
    IniFile() = default;
    // `cutShort` says the bytes are only the start of a longer file: their last line may be
    // incomplete, and is dropped so that no key reads a value cut in two.
    explicit IniFile(std::string fileBytes, bool cutShort = false);

    // The value of a key, or no value when the section or key is missing or the key has no "=".
    // Spaces (0x20 only) around the section and key arguments are ignored; the rest must equal the
    // file's name, which lost all its blanks at both ends: an argument that begins or ends with a
    // tab or VT matches nothing, while a tab inside a name matches the same tab in the file.
    std::optional<std::string_view> find(std::string_view section, std::string_view key) const;

    // What GetPrivateProfileStringA places in a buffer of bufferSize bytes: the value, or the
    // default text with its trailing spaces cut, then cut to bufferSize - 1 bytes (bufferSize 0 and
    // 1 both give "").
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultText, std::size_t bufferSize) const;

private:
    std::string text_;
};

} // namespace quorix::platform
