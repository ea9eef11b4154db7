#include "author/IniDocument.h"

#include "author/Windows1252.h"

#include <QByteArrayView>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <array>

namespace quorix::author {
namespace {

// Blanks the reader trims from lines, names and values. Ctrl-Z pads text files from old DOS tools.
bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\x1a';
}

QStringView Trimmed(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    return text.sliced(begin, end - begin);
}

// What the reader makes of one line.
struct LineMeaning {
    enum class Kind { Nothing, Section, Key } kind = Kind::Nothing;
    QStringView name;                 // section or key name, trimmed
    std::optional<QStringView> value; // a key's value, trimmed, quotes off; none without "="
    qsizetype equals = -1;            // position of the "=" in the line
};

LineMeaning Meaning(const QString& line) {
    const QStringView text = Trimmed(line);
    LineMeaning meaning;
    if (text.isEmpty() || text.front() == u';') {
        return meaning;
    }
    if (text.front() == u'[') {
        const qsizetype close = text.indexOf(u']');
        meaning.kind = LineMeaning::Kind::Section;
        meaning.name = Trimmed(text.sliced(1, (close < 0 ? text.size() : close) - 1));
        return meaning;
    }
    meaning.kind = LineMeaning::Kind::Key;
    const qsizetype equals = text.indexOf(u'=');
    if (equals < 0) {
        meaning.name = text;
        return meaning;
    }
    meaning.equals = line.indexOf(u'=');
    meaning.name = Trimmed(text.first(equals));
    QStringView value = Trimmed(text.sliced(equals + 1));
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front()) {
        value = value.sliced(1, value.size() - 2);
    }
    meaning.value = value;
    return meaning;
}

// A value as it must stand in the file for the reader to give it back unchanged.
QString ValueText(QString value) {
    value.replace(u'\r', u' ').replace(u'\n', u' ');
    if (value.isEmpty()) {
        return value;
    }
    const bool blankAtEnds = IsBlank(value.front()) || IsBlank(value.back());
    const bool quoted = value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
                        value.back() == value.front();
    if (blankAtEnds || quoted) {
        return u'"' + value + u'"';
    }
    return value;
}

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

int UsualRank(QStringView section) {
    static constexpr std::array<std::u16string_view, 4> Usual = {u"settings", u"font", u"cliplist",
                                                                 u"filelist"};
    for (std::size_t i = 0; i < Usual.size(); ++i) {
        if (IniDocument::SameName(section, QStringView(Usual[i]))) {
            return static_cast<int>(i);
        }
    }
    return static_cast<int>(Usual.size());
}

bool IsValidUtf8(std::string_view bytes) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    // The decoder converts lazily: only the finished text tells whether the bytes were valid.
    const QString text =
        decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return !decoder.hasError();
}

QString Decode(std::string_view bytes, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8) {
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }
    return DecodeWindows1252(bytes);
}

std::string Encode(const QString& text, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8) {
        const QByteArray utf8 = text.toUtf8();
        return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    }
    if (auto bytes = EncodeWindows1252(text)) {
        return *bytes;
    }
    std::string bytes;
    for (const QChar c : text) {
        const auto one = EncodeWindows1252(QString(c));
        bytes += one ? *one : std::string("?");
    }
    return bytes;
}

} // namespace

IniDocument IniDocument::FromBytes(std::string_view bytes) {
    IniDocument document;
    std::string converted;
    if (bytes.starts_with("\xFF\xFE")) {
        QStringDecoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::Stateless);
        const QString text =
            utf16.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
        const QByteArray utf8 = text.toUtf8();
        converted.assign(utf8.constData(), static_cast<std::size_t>(utf8.size()));
        bytes = converted;
        document.changedOnRead_ = true;
    } else if (bytes.starts_with(Utf8Mark)) {
        bytes.remove_prefix(Utf8Mark.size());
        document.byteOrderMark_ = true;
    }
    const bool utf8 = IsValidUtf8(bytes);
    const bool plainAscii =
        std::none_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; });
    document.readEncoding_ = utf8 && (!plainAscii || document.byteOrderMark_)
                                 ? TextEncoding::Utf8
                                 : TextEncoding::Windows1252;

    std::size_t begin = 0;
    while (begin < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", begin);
        Line line;
        if (end == std::string_view::npos) {
            end = bytes.size();
        } else if (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') {
            line.ending = "\r\n";
        } else {
            line.ending = std::string(1, bytes[end]);
        }
        const std::string_view content = bytes.substr(begin, end - begin);
        line.text = Decode(content, document.readEncoding_);
        if (!document.changedOnRead_) {
            line.readBytes = std::string(content);
        }
        document.lines_.push_back(std::move(line));
        begin = end + document.lines_.back().ending.size();
    }
    return document;
}

std::string IniDocument::toBytes(TextEncoding encoding) const {
    std::string bytes(byteOrderMark_ && encoding == TextEncoding::Utf8 ? Utf8Mark : "");
    for (const Line& line : lines_) {
        bytes += line.readBytes && encoding == readEncoding_ ? *line.readBytes
                                                             : Encode(line.text, encoding);
        bytes += line.ending;
    }
    return bytes;
}

bool IniDocument::fitsWindows1252() const {
    return std::all_of(lines_.begin(), lines_.end(),
                       [](const Line& line) { return EncodeWindows1252(line.text).has_value(); });
}

std::optional<std::size_t> IniDocument::sectionHeader(const QString& section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const LineMeaning meaning = Meaning(lines_[i].text);
        if (meaning.kind == LineMeaning::Kind::Section && SameName(meaning.name, section)) {
            return i;
        }
    }
    return std::nullopt;
}

std::size_t IniDocument::sectionEnd(std::size_t header) const {
    for (std::size_t i = header + 1; i < lines_.size(); ++i) {
        if (Meaning(lines_[i].text).kind == LineMeaning::Kind::Section) {
            return i;
        }
    }
    return lines_.size();
}

std::optional<std::size_t> IniDocument::keyLine(const QString& section, const QString& key) const {
    const std::optional<std::size_t> header = sectionHeader(section);
    if (!header) {
        return std::nullopt;
    }
    const std::size_t end = sectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        const LineMeaning meaning = Meaning(lines_[i].text);
        if (meaning.kind == LineMeaning::Kind::Key && SameName(meaning.name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const {
    const std::optional<std::size_t> line = keyLine(section, key);
    if (!line) {
        return std::nullopt;
    }
    const LineMeaning meaning = Meaning(lines_[*line].text);
    if (!meaning.value) {
        return std::nullopt;
    }
    return meaning.value->toString();
}

QStringList IniDocument::keys(const QString& section) const {
    QStringList names;
    const std::optional<std::size_t> header = sectionHeader(section);
    if (!header) {
        return names;
    }
    const std::size_t end = sectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        const LineMeaning meaning = Meaning(lines_[i].text);
        if (meaning.kind != LineMeaning::Kind::Key) {
            continue;
        }
        const bool seen = std::any_of(names.begin(), names.end(), [&](const QString& name) {
            return SameName(name, meaning.name);
        });
        if (!seen) {
            names.push_back(meaning.name.toString());
        }
    }
    return names;
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& value) {
    if (const std::optional<std::size_t> found = keyLine(section, key)) {
        Line& line = lines_[*found];
        const LineMeaning meaning = Meaning(line.text);
        if (meaning.value && *meaning.value == value) {
            return;
        }
        QString start;
        if (meaning.equals >= 0) {
            // The key as spelled, the "=" and any blanks after it stay.
            qsizetype valueStart = meaning.equals + 1;
            while (valueStart < line.text.size() && IsBlank(line.text[valueStart])) {
                ++valueStart;
            }
            start = line.text.first(valueStart);
        } else {
            const qsizetype nameEnd =
                (meaning.name.data() - line.text.constData()) + meaning.name.size();
            start = line.text.first(nameEnd) + u'=';
        }
        line.text = start + ValueText(value);
        line.readBytes.reset();
        return;
    }
    std::optional<std::size_t> header = sectionHeader(section);
    if (!header) {
        header = addSection(section);
    }
    // After the section's last key, so that comments and blank lines before the next section
    // stay with it.
    std::size_t at = *header + 1;
    const std::size_t end = sectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        if (Meaning(lines_[i].text).kind == LineMeaning::Kind::Key) {
            at = i + 1;
        }
    }
    insertLine(at, key + u'=' + ValueText(value));
}

void IniDocument::removeKey(const QString& section, const QString& key) {
    const std::optional<std::size_t> header = sectionHeader(section);
    if (!header) {
        return;
    }
    std::size_t end = sectionEnd(*header);
    for (std::size_t i = *header + 1; i < end;) {
        const LineMeaning meaning = Meaning(lines_[i].text);
        if (meaning.kind == LineMeaning::Kind::Key && SameName(meaning.name, key)) {
            // A last line without an ending passes its lack of one to the line before.
            if (lines_[i].ending.empty() && i > 0 && i + 1 == lines_.size()) {
                lines_[i - 1].ending.clear();
            }
            lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
            --end;
        } else {
            ++i;
        }
    }
}

bool IniDocument::renameKey(const QString& section, const QString& key, const QString& newKey) {
    const std::optional<std::size_t> found = keyLine(section, key);
    if (!found) {
        return false;
    }
    Line& line = lines_[*found];
    const LineMeaning meaning = Meaning(line.text);
    if (meaning.name == newKey) {
        return true;
    }
    const qsizetype nameStart = meaning.name.data() - line.text.constData();
    line.text =
        line.text.first(nameStart) + newKey + line.text.sliced(nameStart + meaning.name.size());
    line.readBytes.reset();
    return true;
}

// ASCII letters without regard to case, every other character as it stands.
bool IniDocument::SameName(QStringView a, QStringView b) {
    if (a.size() != b.size()) {
        return false;
    }
    const auto fold = [](char16_t c) {
        return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
    };
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (fold(a[i].unicode()) != fold(b[i].unicode())) {
            return false;
        }
    }
    return true;
}

QString IniDocument::KeyNameProblem(const QString& key) {
    if (Trimmed(key).isEmpty()) {
        return QStringLiteral("it is empty");
    }
    if (Trimmed(key).size() != key.size()) {
        return QStringLiteral("it begins or ends with a blank");
    }
    if (key.contains(u'=')) {
        return QStringLiteral("it holds \"=\"");
    }
    if (key.contains(u'\r') || key.contains(u'\n')) {
        return QStringLiteral("it holds a line break");
    }
    // The Windows reader finds no key asked for with a tab in it; other control characters are
    // no text a title means.
    if (key.contains(u'\t')) {
        return QStringLiteral("it holds a tab");
    }
    if (std::any_of(key.begin(), key.end(),
                    [](QChar c) { return c.category() == QChar::Other_Control; })) {
        return QStringLiteral("it holds a control character");
    }
    if (key.front() == u';' || key.front() == u'[') {
        return QStringLiteral("it begins with \"%1\"").arg(key.front());
    }
    return {};
}

std::size_t IniDocument::addSection(const QString& section) {
    // Before the first section that the usual order puts after this one, else at the end.
    const int rank = UsualRank(section);
    std::size_t at = lines_.size();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const LineMeaning meaning = Meaning(lines_[i].text);
        if (meaning.kind == LineMeaning::Kind::Section && UsualRank(meaning.name) > rank &&
            sectionHeader(meaning.name.toString()) == i) {
            at = i;
            break;
        }
    }
    if (at == lines_.size()) {
        if (!lines_.empty() && !Trimmed(lines_.back().text).isEmpty()) {
            insertLine(at++, QString());
        }
        insertLine(at, u'[' + section + u']');
        return at;
    }
    insertLine(at, u'[' + section + u']');
    insertLine(at + 1, QString());
    return at;
}

std::string IniDocument::newLineEnding() const {
    std::size_t crlf = 0;
    std::size_t other = 0;
    std::string otherEnding;
    for (const Line& line : lines_) {
        if (line.ending == "\r\n") {
            ++crlf;
        } else if (!line.ending.empty()) {
            ++other;
            otherEnding = line.ending;
        }
    }
    // A new file is written for Windows; an existing one keeps its own kind of line ending.
    return other > crlf ? otherEnding : std::string("\r\n");
}

void IniDocument::insertLine(std::size_t at, const QString& text) {
    const std::string ending = newLineEnding();
    if (at == lines_.size() && !lines_.empty() && lines_.back().ending.empty()) {
        lines_.back().ending = ending;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{text, ending, {}});
}

} // namespace quorix::author
