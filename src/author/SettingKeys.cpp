#include "author/SettingKeys.h"

namespace quorix::author {
namespace {

SettingKey Choice(const char* key, const char* label, const char* meaning, int presenterDefault,
                  std::vector<SettingKey::Choice> choices) {
    SettingKey setting;
    setting.section = QStringLiteral("settings");
    setting.key = QLatin1String(key);
    setting.label = QLatin1String(label);
    setting.meaning = QLatin1String(meaning);
    setting.kind = SettingKey::Kind::Choice;
    setting.choices = std::move(choices);
    setting.presenterDefault = presenterDefault;
    return setting;
}

SettingKey Number(const char* section, const char* key, const char* label, const char* meaning,
                  int minimum, int maximum, const char* unit, int presenterDefault) {
    SettingKey setting;
    setting.section = QLatin1String(section);
    setting.key = QLatin1String(key);
    setting.label = QLatin1String(label);
    setting.meaning = QLatin1String(meaning);
    setting.kind = SettingKey::Kind::Number;
    setting.minimum = minimum;
    setting.maximum = maximum;
    setting.unit = QLatin1String(unit);
    setting.presenterDefault = presenterDefault;
    return setting;
}

SettingKey Colour(const char* section, const char* key, const char* label, const char* meaning,
                  int presenterDefault) {
    SettingKey setting;
    setting.section = QLatin1String(section);
    setting.key = QLatin1String(key);
    setting.label = QLatin1String(label);
    setting.meaning = QLatin1String(meaning);
    setting.kind = SettingKey::Kind::Colour;
    setting.presenterDefault = presenterDefault;
    return setting;
}

SettingKey InFont(SettingKey setting) {
    setting.section = QStringLiteral("font");
    return setting;
}

} // namespace

std::vector<SettingKey> SettingKeys() {
    return {
        Choice("widemode", "Picture shape",
               "The shape of the menu and video area: the whole screen, or a 16:9 band across "
               "the screen's width, centred from top to bottom.",
               0, {{0, "whole screen"}, {1, "16:9 band"}}),
        Choice("menumode", "Menu",
               "Whether the viewer chooses clips from a menu of titles, or every clip plays in "
               "turn without a menu.",
               0, {{1, "menu of titles"}, {0, "every clip in turn, no menu"}}),
        Choice("loopmode", "Repeat",
               "With the menu: the chosen clip plays again and again. Without the menu: after "
               "the last clip the first one starts again.",
               0, {{0, "no"}, {1, "yes"}}),
        Choice("hidemode", "Hidden titles",
               "Blanks the titles' text: the titles keep their places and can still be clicked, "
               "so they can lie over buttons drawn in the background picture.",
               0,
               {{0, "titles shown"},
                {1, "titles hidden, highlight stays put"},
                {2, "titles hidden, highlight moves"}}),
        Choice("shadowmode", "Title shadows",
               "A drop shadow two pixels below and right of each title.", 0,
               {{0, "none"}, {1, "shadows"}}),
        Number("settings", "overscan", "Overscan",
               "Pixels of every clip's picture pushed past each edge of the video area, for "
               "screens that show the edges of a picture; negative values leave a black border.",
               -100, 200, "pixels", 0),
        Number("settings", "intro", "Intro clip",
               "The entry that plays before the menu or the first clip, counted from 0; -1 for "
               "none. Without the key the first entry is the intro.",
               -1, 15, "", 0),
        Number("settings", "lineoffset", "Line spacing",
               "The distance between the menu's lines in tenths of a title's height: 15 puts "
               "the lines one and a half title heights apart.",
               0, 100, "tenths", 15),
        Colour("settings", "hilitecolor", "Highlight colour",
               "The colour of the highlighted title. 0 derives it from the font colour so that "
               "it stands out; without the key it is a very dark red (&H0000000F).",
               15),
        Choice("logomode", "Closing logo",
               "Whether the logo (logo.bmp, else the built-in one) shows for three seconds when "
               "the viewer leaves.",
               0, {{0, "no logo"}, {1, "logo"}}),
        Number("settings", "interval", "Supervisor tick",
               "How often the presenter looks at the playing clip and decides what comes next; "
               "shorter ticks start the next clip sooner.",
               50, 1000, "ms", 1000),
        Number("font", "factor", "Title size",
               "The title font grows in 2-point steps until the first title takes more than "
               "1000 / factor of the screen's width: a larger factor gives smaller titles.",
               1, 100000, "", 3495),
        Colour("font", "color", "Font colour",
               "The colour of the titles that are not highlighted. Without the key they keep "
               "the designed red (&H004000C0), and a title the highlight has left turns black.",
               0x4000C0),
        InFont(Choice("bold", "Bold", "Bold titles.", 0, {{0, "no"}, {1, "yes"}})),
        InFont(Choice("italic", "Italic", "Italic titles.", 0, {{0, "no"}, {1, "yes"}})),
    };
}

} // namespace quorix::author
