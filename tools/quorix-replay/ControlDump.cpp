#include "ControlDump.h"

#include "Scenario.h"
#include "platform/TextDecoding.h"
#include "startup/SettingsTable.h"
#include "ui/Form1.h"

#include <cstdio>

namespace quorix::replay {
namespace {

std::string Field(const char* name, long long value) {
    return std::string(" ") + name + "=" + std::to_string(value);
}

std::string Geometry(const char* name, const QWidget& widget, const ui::TwipsGeometry& twips) {
    return std::string("control ") + name + Field("visible", widget.isHidden() ? 0 : 1) +
           Field("left", twips.left(widget)) + Field("top", twips.top(widget)) +
           Field("width", twips.width(widget)) + Field("height", twips.height(widget));
}

std::string Label(const std::string& name, const ui::AutoSizeLabel& label,
                  const ui::TwipsGeometry& twips) {
    return Geometry(name.c_str(), label, twips) +
           " caption=" + QuoteWord(label.caption().toStdString()) +
           Field("color", label.foreColor());
}

std::string Indexed(const char* name, int index) {
    return std::string(name) + "(" + std::to_string(index) + ")";
}

} // namespace

std::string DumpState(const program::Program& program) {
    const program::ProgramState& s = program.state;
    return "state" + Field("PlayState", program::StateNumber(s.PlayState)) +
           Field("CurrentClip", s.CurrentClip) + Field("IntroClip", s.Settings.IntroClip) +
           Field("HiliteIndex", s.HiliteIndex) + Field("LastButton", s.LastButton) +
           Field("MenuBuilt", s.MenuBuilt) + Field("SettingBar", s.SettingBar) +
           Field("CursorCount", s.CursorCount) + Field("CursorHidden", s.CursorHidden) +
           Field("ClipStartFrame", s.ClipStartFrame) + Field("ClipLength", s.ClipLength) +
           Field("ClipEndFrame", s.ClipEndFrame) + " MediaPath=" + QuoteWord(s.MediaPath);
}

std::string DumpSettings(const program::Program& program) {
    std::string line = "settings";
    for (const startup::SettingRow* row : startup::SettingsTable) {
        if (!row->dumped) {
            continue;
        }
        const double value = startup::FieldValue(program.state.Settings, *row).value_or(0.0);
        char number[32];
        if (row->rule == startup::SettingRule::Tenths) {
            std::snprintf(number, sizeof number, "%.7g", value);
        } else {
            std::snprintf(number, sizeof number, "%lld", static_cast<long long>(value));
        }
        line += " " + std::string(row->fieldName) + "=" + number;
    }
    return line;
}

std::vector<std::string> DumpCatalogue(const program::Program& program) {
    const program::ClipCatalogue& c = program.state.Catalogue;
    std::vector<std::string> lines{"catalogue" + Field("LastClip", c.LastClip)};
    for (int i = 0; i <= c.LastClip && i < program::ClipCatalogue::Slots; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        lines.push_back(
            "clip " + std::to_string(i) +
            " title=" + QuoteWord(platform::DecodeDisplayText(c.ClipTitles[slot]).toStdString()) +
            " file=" + QuoteWord(platform::DecodeDisplayText(c.ClipFiles[slot]).toStdString()) +
            Field("x", c.ClipXPos[slot]) + Field("y", c.ClipYPos[slot]));
    }
    return lines;
}

std::vector<std::string> DumpControls(const program::Program& program) {
    const ui::Form1& form = program.form;
    const ui::TwipsGeometry& twips = form.twips();
    std::vector<std::string> lines;

    lines.push_back(Geometry("sspanel1", *form.sspanel1, twips));
    const ui::HScrollBar& bar = *form.HScroll1;
    lines.push_back(Geometry("HScroll1", bar, twips) + Field("min", bar.minimum()) +
                    Field("max", bar.maximum()) + Field("value", bar.value()));
    for (int i = 0; i <= form.Btn.upperBound(); ++i) {
        if (const ui::PictureControl* button = form.Btn.find(i)) {
            lines.push_back(Geometry(Indexed("Btn", i).c_str(), *button, twips));
        }
    }
    lines.push_back(Geometry("PicBase", *form.PicBase, twips));
    lines.push_back(Geometry("Picture1", *form.Picture1, twips));
    lines.push_back(Geometry("Image1", *form.Image1, twips));
    lines.push_back(Label("Shadow(0)", form.Shadow[0], twips));
    lines.push_back(Label("Label2", *form.Label2, twips));
    lines.push_back(Label("clip(0)", form.clip[0], twips));
    lines.push_back(Geometry("FXImage1", *form.FXImage1, twips));
    const platform::SupervisorTimer& timer = program.services.timer;
    // A timer has no place on screen; its line keeps the common shape with zeros.
    lines.push_back("control Timer1 visible=0 left=0 top=0 width=0 height=0" +
                    Field("interval", timer.interval()) +
                    Field("enabled", timer.enabled() ? 1 : 0));

    for (int i = 1; i <= form.clip.upperBound(); ++i) {
        if (const ui::AutoSizeLabel* title = form.clip.find(i)) {
            lines.push_back(Label(Indexed("clip", i), *title, twips));
        }
    }
    for (int i = 1; i <= form.Shadow.upperBound(); ++i) {
        if (const ui::AutoSizeLabel* shadow = form.Shadow.find(i)) {
            lines.push_back(Label(Indexed("Shadow", i), *shadow, twips));
        }
    }
    return lines;
}

std::vector<std::string> DumpNamedControls(const program::Program& program,
                                           const std::vector<std::string>& names,
                                           std::string& missing) {
    const std::vector<std::string> all = DumpControls(program);
    std::vector<std::string> lines;
    for (const std::string& name : names) {
        const bool wholeArray = name.find('(') == std::string::npos;
        bool found = false;
        for (const std::string& line : all) {
            // "control NAME visible=..."
            const std::size_t start = line.find(' ') + 1;
            const std::string control = line.substr(start, line.find(' ', start) - start);
            if (control == name || (wholeArray && control.rfind(name + "(", 0) == 0)) {
                lines.push_back(line);
                found = true;
            }
        }
        if (!found) {
            missing = name;
            return {};
        }
    }
    return lines;
}

} // namespace quorix::replay
