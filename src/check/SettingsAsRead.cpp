#include "check/SettingsAsRead.h"

#include "check/CheckText.h"
#include "startup/ReadSetting.h"
#include "startup/SettingsReader.h"

#include <cstdio>

namespace quorix::check {

SettingsAsRead ReadSettingsAsRead(platform::ProfileReader& reader, const std::string& mediaPath) {
    SettingsAsRead settings;
    settings.record = ReadSettings(reader, mediaPath);
    auto font = [&](std::string_view key, std::string_view defaultText) {
        return ReadSetting(reader, mediaPath, "font", key, defaultText);
    };
    settings.fontColor = FontColorFromText(font("color", ""));
    if (settings.fontColor) {
        settings.hiliteDerived = settings.record.HiliteColor == 0;
        ApplyFontColor(settings.record, *settings.fontColor);
    }
    settings.bold = FontFlagFromText(font("bold", "0"));
    settings.italic = FontFlagFromText(font("italic", "0"));
    return settings;
}

std::vector<std::string> DescribeSettings(const SettingsAsRead& settings) {
    const SettingsRecord& r = settings.record;
    std::vector<std::string> lines;
    auto line = [&](const char* key, const std::string& value) {
        char name[16];
        std::snprintf(name, sizeof name, "  %-12s", key);
        lines.push_back(name + value);
    };
    auto onOff = [](bool on) { return std::string(on ? "on" : "off"); };

    line("widemode", std::to_string(r.WideMode));
    line("menumode", std::to_string(r.MenuMode));
    line("loopmode", std::to_string(r.LoopMode));
    line("hidemode", std::to_string(r.HideMode));
    line("shadowmode", std::to_string(r.ShadowMode));
    line("overscan", std::to_string(r.Overscan) + " pixels");
    line("intro", r.IntroClip >= 1 ? "entry " + std::to_string(r.IntroClip) : "none");
    char offset[32];
    std::snprintf(offset, sizeof offset, "%g", static_cast<double>(r.LineOffset));
    line("lineoffset", std::string(offset) + " title heights");
    line("hilitecolor",
         ColorText(r.HiliteColor) + (settings.hiliteDerived ? " (derived from color)" : ""));
    line("logomode", std::to_string(r.LogoMode));
    line("interval", std::to_string(r.TickInterval) + " ms");
    line("factor", std::to_string(r.FontFactor));
    line("color", settings.fontColor ? ColorText(*settings.fontColor) : "as designed");
    line("bold", onOff(settings.bold));
    line("italic", onOff(settings.italic));
    return lines;
}

} // namespace quorix::check
