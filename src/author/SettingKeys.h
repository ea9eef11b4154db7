#pragma once

#include <QString>
#include <vector>

namespace quorix::author {

// One key of [settings] or [font], described for an author: what it does, the values the
// presenter accepts and what it takes when the key is absent.
struct SettingKey {
    enum class Kind {
        Choice, // one of a few numbers, each with its meaning
        Number, // a whole number in a range
        Colour, // &H00BBGGRR
    };
    struct Choice {
        int value;
        QString meaning;
    };

    QString section;
    QString key;
    QString label;
    QString meaning;
    Kind kind = Kind::Number;
    int minimum = 0;
    int maximum = 0;
    QString unit;
    std::vector<Choice> choices;
    // The value the presenter uses without the key, as a number (for a colour: &H00BBGGRR).
    int presenterDefault = 0;
    bool derivedWhenZero = false; // a colour that 0 derives from the font colour
};

// Every key of [settings] and [font], in the order the presenter reads them, with the ranges and
// defaults it reads them with.
std::vector<SettingKey> SettingKeys();

} // namespace quorix::author
