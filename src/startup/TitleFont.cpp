#include "startup/TitleFont.h"

#include "platform/TextDecoding.h"
#include "startup/ReadSetting.h"
#include "startup/SettingsReader.h"
#include "ui/Form1.h"

#include <cmath>

namespace quorix::startup {
namespace {

constexpr float SmallestTitleSize = 6.0F;
constexpr float SizeStep = 2.0F;
// The growth stops here whatever the title: a label that never gets wider than the screen share
// (a title of blanks, a font whose width does not follow its size) would otherwise grow forever.
constexpr float LargestTitleSize = 200.0F;

} // namespace

void SizeTitleFont(program::Program& program) {
    ui::AutoSizeLabel& title = program.form.clip[0];
    const program::ProgramState& state = program.state;

    title.setCaption(platform::DecodeDisplayText(
        ReadSetting(program.services.profile, state.MediaPath, "cliplist", "clip00", "")));
    title.setFontSize(SmallestTitleSize);

    // An empty title has no width to measure and a factor of 0 or less is never reached: both
    // keep the smallest size.
    if (state.Settings.FontFactor > 0) {
        const ui::TwipsGeometry& twips = program.form.twips();
        for (;;) {
            const double labelWidth = twips.width(title);
            if (labelWidth <= 0) {
                break;
            }
            const double screenWidth = program.services.screen.widthTwips();
            const double share = std::trunc(screenWidth / labelWidth * 1000.0);
            if (share < state.Settings.FontFactor) {
                break;
            }
            const float current = title.fontSize();
            const float next = current + SizeStep;
            if (next > LargestTitleSize) {
                break;
            }
            title.setFontSize(next);
            if (title.fontSize() <= current) {
                break; // the font did not grow: it never will
            }
        }
    }
    program.form.Shadow[0].setFontSize(title.fontSize());
}

void ApplyFontKeys(program::Program& program) {
    ui::AutoSizeLabel& title = program.form.clip[0];
    ui::AutoSizeLabel& shadow = program.form.Shadow[0];
    program::SettingsRecord& settings = program.state.Settings;
    ReadTitleStyle(settings, program.services.profile, program.state.MediaPath);

    if (settings.FontColor) {
        title.setForeColor(*settings.FontColor);
    }
    title.setFontBold(settings.Bold);
    shadow.setFontBold(title.fontBold());
    title.setFontItalic(settings.Italic);
    shadow.setFontItalic(title.fontItalic());
}

} // namespace quorix::startup
