#include "author/Windows1252.h"

#include "platform/TextDecoding.h"

#include <array>
#include <map>

namespace quorix::author {
namespace {

// The presenter's display decoding reads a lone byte from 0x80 up as Windows-1252 (it is never
// valid UTF-8), so its table serves both directions here and the two cannot disagree.
struct Table {
    std::array<char16_t, 256> toUnicode{};
    std::map<char16_t, char> fromUnicode;

    Table() {
        for (int byte = 0; byte < 256; ++byte) {
            const char c = static_cast<char>(byte);
            const char16_t unit =
                byte < 0x80 ? static_cast<char16_t>(byte)
                            : platform::DecodeDisplayText(std::string_view(&c, 1)).at(0).unicode();
            toUnicode[static_cast<std::size_t>(byte)] = unit;
            fromUnicode.emplace(unit, c);
        }
    }
};

const Table& Windows1252Table() {
    static const Table table;
    return table;
}

} // namespace

QString DecodeWindows1252(std::string_view bytes) {
    const Table& table = Windows1252Table();
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes) {
        text.append(QChar(table.toUnicode[static_cast<unsigned char>(c)]));
    }
    return text;
}

std::optional<std::string> EncodeWindows1252(const QString& text) {
    const Table& table = Windows1252Table();
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar unit : text) {
        const auto found = table.fromUnicode.find(unit.unicode());
        if (found == table.fromUnicode.end()) {
            return std::nullopt;
        }
        bytes.push_back(found->second);
    }
    return bytes;
}

} // namespace quorix::author
