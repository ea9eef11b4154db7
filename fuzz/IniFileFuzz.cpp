// The profile reader: any bytes must parse, and every lookup must give what a plain scan of the
// file's lines gives. The scan below splits the whole file into lines first and knows nothing of
// offsets, so the two reach their answers in different ways.
#include "FuzzTarget.h"
#include "platform/IniFile.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <vector>

namespace quorix::fuzz {
namespace {

using platform::IniFile;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\x1a';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view TrimSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

char Fold(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualFolded(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Fold(x) == Fold(y); });
}

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

std::vector<std::string_view> Lines(std::string_view file) {
    std::vector<std::string_view> lines;
    std::size_t begin = 0;
    while (begin <= file.size()) {
        const std::size_t end = std::min(file.find_first_of("\r\n", begin), file.size());
        lines.push_back(file.substr(begin, end - begin));
        begin = end + 1;
    }
    return lines;
}

std::string_view SectionName(std::string_view line) {
    const std::size_t close = line.find(']');
    return TrimBlanks(line.substr(1, close == std::string_view::npos ? line.npos : close - 1));
}

// The lookup done by walking the lines: the first section of the name, the first line of the key
// in it, no value when that line has no "=".
std::optional<std::string_view> ScanFind(const std::vector<std::string_view>& lines,
                                         std::string_view section, std::string_view key) {
    section = TrimSpaces(section);
    key = TrimSpaces(key);
    bool inSection = false;
    for (std::string_view line : lines) {
        line = TrimBlanks(line);
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            if (inSection) {
                return std::nullopt; // later sections of the same name do not count
            }
            inSection = EqualFolded(SectionName(line), section);
            continue;
        }
        if (!inSection) {
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!EqualFolded(TrimBlanks(line.substr(0, equals)), key)) {
            continue;
        }
        if (equals == line.npos) {
            return std::nullopt;
        }
        std::string_view value = TrimBlanks(line.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        return value;
    }
    return std::nullopt;
}

std::string Show(std::string_view text) {
    std::string shown = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || c == '"' || c == '\\') {
            static constexpr char hex[] = "0123456789abcdef";
            shown += "\\x";
            shown += hex[byte >> 4];
            shown += hex[byte & 0xF];
        } else {
            shown += c;
        }
    }
    return shown + "\"";
}

std::string ShowFound(const std::optional<std::string_view>& value) {
    return value ? Show(*value) : std::string("(none)");
}

// Compares one lookup, in every form the caller may ask it, with the scan.
std::string CheckLookup(const IniFile& ini, const std::vector<std::string_view>& lines,
                        std::string_view section, std::string_view key, std::size_t turn) {
    const std::optional<std::string_view> expected = ScanFind(lines, section, key);
    const std::optional<std::string_view> found = ini.find(section, key);
    if (found != expected) {
        return "find(" + Show(section) + ", " + Show(key) + ") gave " + ShowFound(found) +
               ", the lines say " + ShowFound(expected);
    }
    // Names match without regard to ASCII case and with spaces around them.
    const std::string upperSection = Upper(section);
    const std::string upperKey = " " + Upper(key) + "  ";
    if (ini.find(upperSection, upperKey) != expected) {
        return "find(" + Show(upperSection) + ", " + Show(upperKey) + ") differs from find(" +
               Show(section) + ", " + Show(key) + ")";
    }

    // What lands in the caller's buffer, for one of a few buffer sizes (they take turns, the
    // lookups being many).
    static constexpr std::string_view defaultText = "\tdef ault  ";
    static constexpr std::string_view cutDefault = "\tdef ault";
    static constexpr std::array<std::size_t, 4> bufferSizes{0, 1, 3, 256};
    const std::size_t bufferSize = bufferSizes[turn % bufferSizes.size()];
    const std::string_view whole = expected ? *expected : cutDefault;
    const std::string_view wanted = whole.substr(0, bufferSize == 0 ? 0 : bufferSize - 1);
    const std::string got = ini.readString(section, key, defaultText, bufferSize);
    if (got != wanted) {
        return "readString(" + Show(section) + ", " + Show(key) +
               ", n=" + std::to_string(bufferSize) + ") gave " + Show(got) + ", expected " +
               Show(wanted);
    }
    return {};
}

} // namespace

std::string FuzzIniFile(std::string_view bytes) {
    const IniFile ini{std::string(bytes)};
    // A file with a byte-order mark is decoded before it is parsed; the plain scan reads bytes
    // only, so such a file is only looked up, not compared.
    const bool marked = platform::TextMarkOf(bytes) != platform::ProfileTextMark::None;
    const std::vector<std::string_view> lines = Lines(bytes);

    // The names the file uses, and a few it may not.
    std::vector<std::string_view> sections{"", "settings", "cliplist"};
    std::vector<std::string_view> keys{"", "k", "clip00"};
    for (std::string_view line : lines) {
        line = TrimBlanks(line);
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            sections.push_back(SectionName(line));
        } else {
            keys.push_back(TrimBlanks(line.substr(0, line.find('='))));
        }
    }
    // Bounded, so that a file of many short lines stays quick.
    sections.resize(std::min<std::size_t>(sections.size(), 8));
    keys.resize(std::min<std::size_t>(keys.size(), 16));

    std::size_t turn = 0;
    for (const std::string_view section : sections) {
        for (const std::string_view key : keys) {
            ++turn;
            if (marked) {
                (void)ini.readString(section, key, "d", 256);
                continue;
            }
            if (std::string problem = CheckLookup(ini, lines, section, key, turn);
                !problem.empty()) {
                return problem;
            }
        }
    }

    // Moving the parsed file keeps its answers.
    IniFile moved = IniFile(std::string(bytes));
    IniFile target;
    target = std::move(moved);
    for (const std::string_view section : sections) {
        for (const std::string_view key : keys) {
            if (target.find(section, key) != ini.find(section, key)) {
                return "a moved file answers find(" + Show(section) + ", " + Show(key) +
                       ") differently";
            }
        }
    }
    return {};
}

} // namespace quorix::fuzz
