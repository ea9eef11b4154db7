#include "platform/IniFile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <algorithm>
#include <cstring>

namespace quorix::platform {
namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LittleEndianMark = "\xFF\xFE";

// Ctrl-Z counts as a blank: old DOS tools padded text files with it, and such files turn up on
// CD-ROMs.
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
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

unsigned char Fold(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// Names match without regard to ASCII case; other bytes must be equal.
bool EqualFolded(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Fold(a[i]) != Fold(b[i])) {
            return false;
        }
    }
    return true;
}

// The non-blank lines of a text, trimmed, one after the other.
class Lines {
public:
    explicit Lines(std::string_view text) : text_(text) {}

    bool next(std::string_view& line) {
        while (next_ < text_.size()) {
            const std::size_t end = std::min(endAt('\r', nextCr_), endAt('\n', nextLf_));
            // A CRLF pair leaves an empty line between CR and LF, skipped like any blank line.
            line = TrimBlanks(text_.substr(next_, end - next_));
            next_ = end + 1;
            if (!line.empty()) {
                return true;
            }
        }
        return false;
    }

private:
    // Where the next line end of one kind is, found again only once the lines have passed it:
    // memchr is fast, and most files use only one kind of line end.
    std::size_t endAt(char lineEnd, std::size_t& found) const {
        if (found == std::string_view::npos || found < next_) {
            const void* at = std::memchr(text_.data() + next_, lineEnd, text_.size() - next_);
            found = at == nullptr
                        ? text_.size()
                        : static_cast<std::size_t>(static_cast<const char*>(at) - text_.data());
        }
        return found;
    }

    std::string_view text_;
    std::size_t next_ = 0;
    std::size_t nextCr_ = std::string_view::npos; // not looked for yet
    std::size_t nextLf_ = std::string_view::npos;
};

// The name of a section header line: up to the first "]", or to the end of the line when there is
// none.
std::string_view HeaderName(std::string_view line) {
    const std::size_t close = line.find(']');
    return TrimBlanks(line.substr(1, close == std::string_view::npos ? line.npos : close - 1));
}

std::string_view Unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// Text in another encoding, as UTF-8; what cannot be decoded becomes U+FFFD. Decoded a piece at a
// time, so that a large file never exists three times over (bytes, UTF-16, UTF-8). The pieces end
// where a character begins: each is decoded on its own.
std::string ToUtf8(std::string_view bytes, QStringConverter::Encoding encoding) {
    constexpr std::size_t Piece = 64 * 1024;
    const bool utf16 = encoding == QStringConverter::Utf16LE;
    std::string utf8;
    utf8.reserve(bytes.size());
    std::size_t begin = 0;
    while (begin < bytes.size()) {
        std::size_t end = std::min(bytes.size(), begin + Piece);
        if (end < bytes.size()) {
            if (utf16) {
                // Never between the two halves of a surrogate pair.
                const auto high = static_cast<unsigned char>(bytes[end - 1]);
                if (high >= 0xD8 && high <= 0xDB) {
                    end -= 2;
                }
            } else {
                // Never inside a sequence; a longer run of continuation bytes is invalid anyway.
                for (int back = 0;
                     back < 3 && (static_cast<unsigned char>(bytes[end]) & 0xC0) == 0x80; ++back) {
                    --end;
                }
            }
        }
        // A U+FEFF at the start of a piece is text, not a mark to drop.
        QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless |
                                             QStringConverter::Flag::ConvertInitialBom);
        const QString piece = decoder.decode(
            QByteArrayView(bytes.data() + begin, static_cast<qsizetype>(end - begin)));
        const QByteArray encoded = piece.toUtf8();
        utf8.append(encoded.constData(), static_cast<std::size_t>(encoded.size()));
        begin = end;
    }
    return utf8;
}

// The file's text. A file with a byte-order mark is decoded and kept as UTF-8 without the mark:
// the A function would hand out the machine's ANSI code page for UTF-16, but UTF-8 loses nothing
// and is what the display-text decoding recognises first.
std::string FileText(std::string bytes) {
    switch (TextMarkOf(bytes)) {
    case ProfileTextMark::Utf16LittleEndian:
        return ToUtf8(std::string_view(bytes).substr(Utf16LittleEndianMark.size()),
                      QStringConverter::Utf16LE);
    case ProfileTextMark::Utf8:
        // The Windows reader keeps these three bytes glued to line 1 and loses a first section
        // [settings] with all its keys; no disc can mean that, so the mark is skipped.
        return ToUtf8(std::string_view(bytes).substr(Utf8Mark.size()), QStringConverter::Utf8);
    case ProfileTextMark::None:
        break;
    }
    return bytes;
}

} // namespace

ProfileTextMark TextMarkOf(std::string_view fileBytes) {
    if (fileBytes.starts_with(Utf8Mark)) {
        return ProfileTextMark::Utf8;
    }
    if (fileBytes.starts_with(Utf16LittleEndianMark)) {
        return ProfileTextMark::Utf16LittleEndian;
    }
    return ProfileTextMark::None;
}

IniFile::IniFile(std::string fileBytes, bool cutShort) : text_(FileText(std::move(fileBytes))) {
    if (cutShort) {
        const std::size_t lastEnd = text_.find_last_of("\r\n");
        text_.resize(lastEnd == std::string::npos ? 0 : lastEnd + 1);
    }
}

std::optional<std::string_view> IniFile::find(std::string_view section,
                                              std::string_view key) const {
    section = TrimSpaces(section);
    key = TrimSpaces(key);
    Lines lines(text_);
    std::string_view line;
    // Only the first section of the name is searched.
    bool inSection = false;
    while (!inSection && lines.next(line)) {
        inSection = line.front() == '[' && EqualFolded(HeaderName(line), section);
    }
    while (inSection && lines.next(line)) {
        if (line.front() == '[') {
            break;
        }
        if (line.front() == ';') {
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!EqualFolded(TrimBlanks(line.substr(0, equals)), key)) {
            continue;
        }
        // The first line of the key decides, with a value or without.
        if (equals == std::string_view::npos) {
            break;
        }
        return Unquoted(TrimBlanks(line.substr(equals + 1)));
    }
    return std::nullopt;
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
