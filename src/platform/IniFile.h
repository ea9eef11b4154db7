#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorix::platform {

// A profile (INI) file, parsed once from its bytes, answering lookups the way the Windows
// profile-string reader does. Bytes in, bytes out: names match without regard to ASCII case, and
// every other byte (Windows-1252, UTF-8, NUL) is kept as it stands.
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
class IniFile {
public:
    // A file with no sections: every lookup gives the default.
    IniFile() = default;
    explicit IniFile(std::string_view fileBytes);

    // The value of a key, or no value when the section or key is missing, the key has no "=",
    // or the names cannot match (see readString).
    std::optional<std::string_view> find(std::string_view section, std::string_view key) const;

    // What GetPrivateProfileStringA places in a buffer of bufferSize bytes: the value, or the
    // default text with its trailing spaces cut, then cut to bufferSize - 1 bytes (bufferSize 0 and
    // 1 both give ""). Spaces (0x20 only) around the section and key arguments are ignored; a tab
    // or VT in either, or a CR or LF in the key, makes the lookup fail.
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultText, std::size_t bufferSize) const;

private:
    // A stretch of text_. Offsets, not views, so that moving the file cannot leave them dangling.
    struct Span {
        std::size_t offset = 0;
        std::size_t length = 0;
    };
    struct Entry {
        Span key;
        std::optional<Span> value;
    };
    struct Section {
        Span name;
        std::vector<Entry> entries;
        // Indices into entries, ordered by folded key, first line of each key only.
        std::vector<std::size_t> keyIndex;
    };

    std::string_view text(Span span) const;
    void parse();
    void buildIndexes();

    std::string text_;
    std::vector<Section> sections_;
    // Indices into sections_, ordered by folded name, first section of each name only.
    std::vector<std::size_t> sectionIndex_;
};

} // namespace quorix::platform
