#include "platform/TextDecoding.h"

#include <QByteArrayView>
#include <QStringDecoder>
#include <array>

namespace quorix::platform {
namespace {

// Windows-1252 differs from Latin-1 only in 0x80 to 0x9F. The five bytes it leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same value, as Windows' own
// conversion does. A table is used rather than iconv, whose CP1252 rejects those five bytes.
constexpr std::array<char16_t, 32> kWindows1252From80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

QString DecodeWindows1252(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        const char16_t unit = byte >= 0x80 && byte < 0xA0 ? kWindows1252From80[byte - 0x80u]
                                                          : static_cast<char16_t>(byte);
        text.append(QChar(unit));
    }
    return text;
}

} // namespace

QString DecodeDisplayText(std::string_view bytes) {
    // Stateless, so that a sequence cut off at the end counts as an error rather than being held
    // back for more input. Qt's decoder also rejects overlong forms, surrogates and code points
    // beyond U+10FFFF.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError()) {
        return text;
    }
    return DecodeWindows1252(bytes);
}

std::string DecodeToUtf8(std::string_view bytes) {
    return DecodeDisplayText(bytes).toStdString();
}

} // namespace quorix::platform
