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
    const startup::SettingRow* row;
    const char* label;
    const char* meaning;
    std::vector<SettingKey::Choice> choices; // none: a number or a colour
};

std::vector<Wording> Wordings() {
    return {
        {&startup::setting::WideMode,
         "Picture shape",
         "The shape of the menu and video area: the whole screen, or a 16:9 band across the "
         "screen's width, centred from top to bottom.",
         {{0, "whole screen"}, {1, "16:9 band"}}},
        {&startup::setting::MenuMode,
         "Menu",
         "Whether the viewer chooses clips from a menu of titles, or every clip plays in turn "
         "without a menu.",
         {{1, "menu of titles"}, {0, "every clip in turn, no menu"}}},
        {&startup::setting::LoopMode,
         "Repeat",
         "With the menu: the chosen clip plays again and again. Without the menu: after the last "
         "clip the first one starts again.",
         {{0, "no"}, {1, "yes"}}},
        {&startup::setting::HideMode,
         "Hidden titles",
         "Blanks the titles' text: the titles keep their places and can still be clicked, so they "
         "can lie over buttons drawn in the background picture.",
         {{0, "titles shown"},
          {1, "titles hidden, highlight stays put"},
          {2, "titles hidden, highlight moves"}}},
        {&startup::setting::ShadowMode,
         "Title shadows",
         "A drop shadow two pixels below and right of each title.",
         {{0, "none"}, {1, "shadows"}}},
        {&startup::setting::Overscan,
         "Overscan",
         "Pixels of every clip's picture pushed past each edge of the video area, for screens that "
         "show the edges of a picture; negative values leave a black border.",
         {}},
        {&startup::setting::Intro,
         "Intro clip",
         "The entry that plays before the menu or the first clip, counted from 0; -1 for none. "
         "Without the key the first entry is the intro.",
         {}},
        {&startup::setting::LineOffset,
         "Line spacing",
         "The distance between the menu's lines in tenths of a title's height: 15 puts the lines "
         "one and a half title heights apart.",
         {}},
        {&startup::setting::HiliteColor,
         "Highlight colour",
         "The colour of the highlighted title. 0 derives it from the font colour so that it "
         "stands out; without the key it is a very dark red (&H0000000F).",
         {}},
        {&startup::setting::LogoMode,
         "Closing logo",
         "Whether the logo (logo.bmp, else the built-in one) shows for three seconds when the "
         "viewer leaves.",
         {{0, "no logo"}, {1, "logo"}}},
        {&startup::setting::Interval,
         "Supervisor tick",
         "How often the presenter looks at the playing clip and decides what comes next; shorter "
         "ticks start the next clip sooner.",
         {}},
        {&startup::setting::HoldFrame,
         "Between clips",
         "What the video area shows while one clip gives way to the next (playing all, looping, "
         "Left, Right, the digits): black, or the last picture of the clip until the next clip's "
         "first picture replaces it. The menu and the logo come as they always do.",
         {{0, "black"}, {1, "hold last picture"}}},
        {&startup::setting::FontFactor,
         "Title size",
         "The title font grows in 2-point steps until the first title takes more than 1000 / "
         "this number of the screen's width: a larger number gives smaller titles.",
         {}},
        {&startup::setting::FontColor,
         "Font colour",
         "The colour of the titles that are not highlighted. Without the key they keep the "
         "designed red (&H004000C0), and a title the highlight has left turns black.",
         {}},
        {&startup::setting::Bold, "Bold", "Bold titles.", {{0, "no"}, {1, "yes"}}},
        {&startup::setting::Italic, "Italic", "Italic titles.", {{0, "no"}, {1, "yes"}}},
    };
}

} // namespace

std::vector<SettingKey> SettingKeys() {
    const std::vector<Wording> wordings = Wordings();
    std::vector<SettingKey> keys;
    for (const startup::SettingRow* row : startup::SettingsTable) {
        SettingKey setting;
        setting.section = Text(row->section);
        setting.key = Text(row->key);
        setting.minimum = row->range.minimum;
        setting.maximum = row->range.maximum;
        setting.unit = Text(row->unit);
        setting.presenterDefault = startup::AbsentNumber(*row).value_or(ui::DesignedTitleColor);
        const bool colour = row->rule == startup::SettingRule::Colour ||
                            row->rule == startup::SettingRule::TitleColour;
        setting.derivedWhenZero = row->rule == startup::SettingRule::Colour;
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
