#include "platform/IniFile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <algorithm>
#include <numeric>

namespace quorix::platform {
namespace {

// Ctrl-Z counts as a blank: old DOS tools padded text files with it, and such files turn up on
// CD-ROMs.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\x1a';
}

unsigned char Fold(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// Orders names without regard to ASCII case; other bytes compare by value.
int CompareFolded(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char fa = Fold(a[i]);
        const unsigned char fb = Fold(b[i]);
        if (fa != fb) {
            return fa < fb ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

// The file's text as bytes. A UTF-16LE file (byte-order mark FF FE) is decoded and kept as UTF-8:
// the A function would hand out the machine's ANSI code page instead, but UTF-8 loses nothing and
// is what the display-text decoding recognises first.
//
// A UTF-8 byte-order mark is deliberately NOT skipped. The Windows reader does not recognise it:
// the three bytes stay glued to line 1, so a section header on line 1 is lost (its keys land in
// the unreachable area before the first header) while later sections work. Disc authors tested
// their files against that reader, so we answer as it did.
std::string FileText(std::string_view bytes) {
    if (!bytes.starts_with("\xFF\xFE")) {
        return std::string(bytes);
    }
    // The decoder drops the byte-order mark itself; unpaired surrogates and an odd last byte
    // become U+FFFD.
    QStringDecoder decoder(QStringConverter::Utf16LE, QStringConverter::Flag::Stateless);
    const QString decoded =
        decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    const QByteArray utf8 = decoded.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

// Indices 0..count-1 ordered by folded name, keeping only the first index of each name.
template <typename NameOf>
std::vector<std::size_t> FirstOfEachName(std::size_t count, NameOf nameOf) {
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), std::size_t{0});
    // Stable, so that within a run of equal names the earliest line comes first and survives.
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return CompareFolded(nameOf(a), nameOf(b)) < 0;
    });
    order.erase(std::unique(order.begin(), order.end(),
                            [&](std::size_t a, std::size_t b) {
                                return CompareFolded(nameOf(a), nameOf(b)) == 0;
                            }),
                order.end());
    return order;
}

template <typename NameOf>
std::optional<std::size_t> FindName(const std::vector<std::size_t>& order, std::string_view name,
                                    NameOf nameOf) {
    const auto found =
        std::lower_bound(order.begin(), order.end(), name, [&](std::size_t index, auto wanted) {
            return CompareFolded(nameOf(index), wanted) < 0;
        });
    if (found == order.end() || CompareFolded(nameOf(*found), name) != 0) {
        return std::nullopt;
    }
    return *found;
}

// A section or key name as the caller gave it: spaces around it do not count; a name holding one
// of the forbidden characters matches nothing.
std::optional<std::string_view> ArgumentName(std::string_view name, std::string_view forbidden) {
    const std::size_t first = name.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        name = {};
    } else {
        name = name.substr(first, name.find_last_not_of(' ') - first + 1);
    }
    if (name.find_first_of(forbidden) != std::string_view::npos) {
        return std::nullopt;
    }
    return name;
}

} // namespace

IniFile::IniFile(std::string_view fileBytes) : text_(FileText(fileBytes)) {
    parse();
    buildIndexes();
}

std::string_view IniFile::text(Span span) const {
    return std::string_view(text_).substr(span.offset, span.length);
}

void IniFile::parse() {
    const std::string_view all(text_);
    const auto trimmed = [&](std::size_t begin, std::size_t end) {
        while (begin < end && IsBlank(all[begin])) {
            ++begin;
        }
        while (end > begin && IsBlank(all[end - 1])) {
            --end;
        }
        return Span{begin, end - begin};
    };

    bool inSection = false;
    std::size_t lineBegin = 0;
    while (lineBegin < all.size()) {
        std::size_t lineEnd = all.find_first_of("\r\n", lineBegin);
        if (lineEnd == std::string_view::npos) {
            lineEnd = all.size();
        }
        // A CRLF pair leaves an empty line between CR and LF, skipped like any blank line.
        const Span line = trimmed(lineBegin, lineEnd);
        lineBegin = lineEnd + 1;
        if (line.length == 0) {
            continue;
        }
        const std::string_view lineText = text(line);
        if (lineText.front() == ';') {
            continue;
        }
        if (lineText.front() == '[') {
            // The name ends at the first "]", or at the end of the line when there is none.
            const std::size_t close = lineText.find(']');
            const std::size_t nameLength =
                close == std::string_view::npos ? line.length - 1 : close - 1;
            sections_.push_back(
                Section{trimmed(line.offset + 1, line.offset + 1 + nameLength), {}, {}});
            inSection = true;
            continue;
        }
        if (!inSection) {
            continue;
        }
        const std::size_t equals = lineText.find('=');
        if (equals == std::string_view::npos) {
            sections_.back().entries.push_back(Entry{line, std::nullopt});
            continue;
        }
        const std::size_t lineStop = line.offset + line.length;
        Span value = trimmed(line.offset + equals + 1, lineStop);
        if (value.length >= 2) {
            const char first = all[value.offset];
            const char last = all[value.offset + value.length - 1];
            if ((first == '"' || first == '\'') && last == first) {
                value = Span{value.offset + 1, value.length - 2};
            }
        }
        sections_.back().entries.push_back(
            Entry{trimmed(line.offset, line.offset + equals), value});
    }
}

void IniFile::buildIndexes() {
    sectionIndex_ = FirstOfEachName(sections_.size(),
                                    [this](std::size_t i) { return text(sections_[i].name); });
    // Later sections of a name are never searched, so they need no key index.
    for (const std::size_t sectionNumber : sectionIndex_) {
        Section& section = sections_[sectionNumber];
        section.keyIndex = FirstOfEachName(
            section.entries.size(), [&](std::size_t i) { return text(section.entries[i].key); });
    }
}

std::optional<std::string_view> IniFile::find(std::string_view section,
                                              std::string_view key) const {
    const std::optional<std::string_view> sectionName = ArgumentName(section, "\t\v");
    const std::optional<std::string_view> keyName = ArgumentName(key, "\t\v\r\n");
    if (!sectionName || !keyName) {
        return std::nullopt;
    }
    const std::optional<std::size_t> sectionNumber = FindName(
        sectionIndex_, *sectionName, [this](std::size_t i) { return text(sections_[i].name); });
    if (!sectionNumber) {
        return std::nullopt;
    }
    const Section& found = sections_[*sectionNumber];
    const std::optional<std::size_t> entryNumber = FindName(
        found.keyIndex, *keyName, [&](std::size_t i) { return text(found.entries[i].key); });
    if (!entryNumber) {
        return std::nullopt;
    }
    const std::optional<Span>& value = found.entries[*entryNumber].value;
    if (!value) {
        return std::nullopt;
    }
    return text(*value);
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view defaultText, std::size_t bufferSize) const {
    std::string_view result;
    if (const std::optional<std::string_view> value = find(section, key)) {
        result = *value;
    } else {
        // Only trailing spaces are cut from the default; leading blanks and a trailing tab, CR or
        // LF stay.
        const std::size_t last = defaultText.find_last_not_of(' ');
        result =
            last == std::string_view::npos ? std::string_view{} : defaultText.substr(0, last + 1);
    }
    // One byte of the caller's buffer is taken by the terminating NUL.
    const std::size_t room = bufferSize == 0 ? 0 : bufferSize - 1;
    return std::string(result.substr(0, room));
}

} // namespace quorix::platform
