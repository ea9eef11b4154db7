#include "author/SettingKeys.h"

#include "startup/SettingsTable.h"
#include "ui/Form1.h"

#include <algorithm>

namespace quorix::author {
namespace {

QString Text(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// What the page says about a key; everything else comes from the presenter's settings table.
struct Wording {
    const SettingRow* row;
    const char* label;
    const char* meaning;
    std::vector<SettingKey::Choice> choices; // none: a number or a colour
};

std::vector<Wording> Wordings() {
    return {
        {&setting::WideMode,
         "Picture shape",
         "The shape of the menu and video area: the whole screen, or a 16:9 band across the "
         "screen's width, centred from top to bottom.",
         {{0, "whole screen"}, {1, "16:9 band"}}},
        {&setting::MenuMode,
         "Menu",
         "Whether the viewer chooses clips from a menu of titles, or every clip plays in turn "
         "without a menu.",
         {{1, "menu of titles"}, {0, "every clip in turn, no menu"}}},
        {&setting::LoopMode,
         "Repeat",
         "With the menu: the chosen clip plays again and again. Without the menu: after the last "
         "clip the first one starts again.",
         {{0, "no"}, {1, "yes"}}},
        {&setting::HideMode,
         "Hidden titles",
         "Blanks the titles' text: the titles keep their places and can still be clicked, so they "
         "can lie over buttons drawn in the background picture.",
         {{0, "titles shown"},
          {1, "titles hidden, highlight stays put"},
          {2, "titles hidden, highlight moves"}}},
        {&setting::ShadowMode,
         "Title shadows",
         "A drop shadow two pixels below and right of each title.",
         {{0, "none"}, {1, "shadows"}}},
        {&setting::Overscan,
         "Overscan",
         "Pixels of every clip's picture pushed past each edge of the video area, for screens that "
         "show the edges of a picture; negative values leave a black border.",
         {}},
        {&setting::Intro,
         "Intro clip",
         "The entry that plays before the menu or the first clip, counted from 0; -1 for none. "
         "Without the key the first entry is the intro.",
         {}},
        {&setting::LineOffset,
         "Line spacing",
         "The distance between the menu's lines in tenths of a title's height: 15 puts the lines "
         "one and a half title heights apart.",
         {}},
        {&setting::HiliteColor,
         "Highlight colour",
         "The colour of the highlighted title. 0 derives it from the font colour so that it "
         "stands out; without the key it is a very dark red (&H0000000F).",
         {}},
        {&setting::LogoMode,
         "Closing logo",
         "Whether the logo (logo.bmp, else the built-in one) shows for three seconds when the "
         "viewer leaves.",
         {{0, "no logo"}, {1, "logo"}}},
        {&setting::Interval,
         "Supervisor tick",
         "How often the presenter looks at the playing clip and decides what comes next; shorter "
         "ticks start the next clip sooner.",
         {}},
        {&setting::HoldFrame,
         "Between clips",
         "What the video area shows while one clip gives way to the next (playing all, looping, "
         "Left, Right, the digits): black, or the last picture of the clip until the next clip's "
         "first picture replaces it. The menu and the logo come as they always do.",
         {{0, "black"}, {1, "hold last picture"}}},
        {&setting::FontFactor,
         "Title size",
         "The title font grows in 2-point steps until the first title takes more than 1000 / "
         "this number of the screen's width: a larger number gives smaller titles.",
         {}},
        {&setting::FontColor,
         "Font colour",
         "The colour of the titles that are not highlighted. Without the key they keep the "
         "designed red (&H004000C0), and a title the highlight has left turns black.",
         {}},
        {&setting::Bold, "Bold", "Bold titles.", {{0, "no"}, {1, "yes"}}},
        {&setting::Italic, "Italic", "Italic titles.", {{0, "no"}, {1, "yes"}}},
    };
}

} // namespace

std::vector<SettingKey> SettingKeys() {
    const std::vector<Wording> wordings = Wordings();
    std::vector<SettingKey> keys;
    for (const SettingRow* row : SettingsTable) {
        SettingKey setting;
        setting.section = Text(row->section);
        setting.key = Text(row->key);
        setting.minimum = row->range.minimum;
        setting.maximum = row->range.maximum;
        setting.unit = Text(row->unit);
        setting.presenterDefault = AbsentNumber(*row).value_or(ui::DesignedTitleColor);
        const bool colour =
            row->rule == SettingRule::Colour || row->rule == SettingRule::TitleColour;
        setting.derivedWhenZero = row->rule == SettingRule::Colour;
        const auto wording = std::find_if(wordings.begin(), wordings.end(),
                                          [row](const Wording& w) { return w.row == row; });
        if (wording != wordings.end()) {
            setting.label = QLatin1String(wording->label);
            setting.meaning = QLatin1String(wording->meaning);
            setting.choices = wording->choices;
        } else {
            setting.label = setting.key;
        }
        setting.kind = colour                    ? SettingKey::Kind::Colour
                       : setting.choices.empty() ? SettingKey::Kind::Number
                                                 : SettingKey::Kind::Choice;
        keys.push_back(std::move(setting));
    }
    return keys;
}

} // namespace quorix::author
