#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorix::author {

enum class TextEncoding { Windows1252, Utf8 };

// A settings file open for editing. It keeps every line as it was read (comments, blank lines,
// unknown sections and keys, the spelling of names, the line endings) and changes only the lines
// an edit touches, so that saving an unchanged document gives back the bytes it was read from.
//
// Lookups follow the presenter's profile reader: names match without regard to ASCII case, only
// the first section of a name counts and within it the first line of a key, a line beginning with
// ";" is a comment, blanks around names and values do not count, and one pair of matching outer
// quotes is taken off a value. Edits act on the line a lookup would find, so what is written is
// what the presenter will read.
class IniDocument {
public:
    // An empty file.
    IniDocument() = default;

    // The file's bytes. Text is read as UTF-8 when the bytes are valid UTF-8, else as
    // Windows-1252, the way the presenter decodes titles; a UTF-16 file (byte-order mark FF FE) is
    // decoded and will be written in one of those two encodings. A UTF-8 byte-order mark makes the
    // file UTF-8 and is written again whenever the file is written in UTF-8.
    static IniDocument FromBytes(std::string_view bytes);

    // The file in the given encoding. Lines that were not edited keep their bytes when the
    // encoding is the one they were read in. Characters the encoding lacks become "?": ask
    // fitsWindows1252() first.
    std::string toBytes(TextEncoding encoding) const;

    // The encoding the file was read in.
    TextEncoding readEncoding() const { return readEncoding_; }
    // The file began with a UTF-8 byte-order mark.
    bool byteOrderMark() const { return byteOrderMark_; }
    // Every character of the document has a byte in Windows-1252.
    bool fitsWindows1252() const;

    // The value the presenter reads for the key, or no value when it gets the default (the
    // section or key is missing, or the key's line has no "=").
    std::optional<QString> value(const QString& section, const QString& key) const;

    // Gives the key this value. The key's line is rewritten in place (its spelling, the blanks
    // before the value and its line ending stay); a missing key is added after the last key of its
    // section, and a missing section is added where the usual order (settings, font, cliplist,
    // filelist) puts it. A value the key has already changes nothing. Quotes are added where the
    // reader would otherwise take blanks or quotes off; line breaks in the value become spaces.
    void setValue(const QString& section, const QString& key, const QString& value);

    // Removes every line of the key from the first section of its name.
    void removeKey(const QString& section, const QString& key);

    // Renames the key's line in place, keeping its value. False when the key is not there.
    bool renameKey(const QString& section, const QString& key, const QString& newKey);

    // The keys of the first section of the name, in file order, each once, as spelled.
    QStringList keys(const QString& section) const;

    // Why a text cannot serve as a key name, or an empty text when it can.
    static QString KeyNameProblem(const QString& key);
    // Two names the reader takes for one: equal but for the case of ASCII letters.
    static bool SameName(QStringView a, QStringView b);

private:
    struct Line {
        QString text;
        std::string ending;                   // "\r\n", "\n", "\r" or "" on a last line without one
        std::optional<std::string> readBytes; // the bytes read, until the line is edited
    };

    std::optional<std::size_t> sectionHeader(const QString& section) const;
    std::size_t sectionEnd(std::size_t header) const;
    std::optional<std::size_t> keyLine(const QString& section, const QString& key) const;
    std::size_t addSection(const QString& section);
    void insertLine(std::size_t at, const QString& text);
    std::string newLineEnding() const;

    std::vector<Line> lines_;
    TextEncoding readEncoding_ = TextEncoding::Windows1252;
    bool changedOnRead_ = false; // UTF-16, which is never written back
    bool byteOrderMark_ = false;
};

} // namespace quorix::author
