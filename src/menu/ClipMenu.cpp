#include "menu/ClipMenu.h"

#include "menu/Highlight.h"
#include "menu/MenuLayout.h"
#include "platform/TextDecoding.h"
#include "ui/Form1.h"
#include "video/MousePointer.h"

#include <algorithm>

namespace quorix::menu {
namespace {

// The text of entry i and of its shadow: the title and one space, or, in hide mode, as many
// spaces as that would have characters, so the entry keeps its size and place but shows nothing.
QString MenuCaption(const std::string& title, std::int16_t hideMode) {
    const QString text = platform::DecodeDisplayText(title) + QLatin1Char(' ');
    if (hideMode == 0) {
        return text;
    }
    return QString(static_cast<qsizetype>(text.toUcs4().size()), QLatin1Char(' '));
}

// Elements of the menu arrays are created once, as hidden copies of element 0; one that exists
// already is kept as it is.
void CreateElement(ui::ControlArray<ui::AutoSizeLabel>& array, int index) {
    if (!array.exists(index) && !array.load(index)) {
        qFatal("Cannot create menu element %d", index);
    }
}

} // namespace

void ShowMenu(program::Program& program) {
    ui::Form1& form = program.form;
    const ui::TwipsGeometry& twips = form.twips();
    program::ProgramState& state = program.state;
    const program::SettingsRecord& settings = state.Settings;
    const program::ClipCatalogue& catalogue = state.Catalogue;

    const std::int32_t px = program.services.screen.twipsPerPixelX();
    video::ShowMouse(program);
    if (settings.MenuMode != 1) {
        return;
    }

    const int lastClip = std::min<int>(catalogue.LastClip, program::ClipCatalogue::Slots - 1);
    const std::int32_t pitch = LinePitch(twips.height(form.clip[0]), settings.LineOffset);
    const ui::PictureBox& area = *form.Picture1;
    const std::int32_t menuTop = MenuTop(twips.height(area), lastClip + 1, pitch);
    const bool explicitLayout = catalogue.ClipXPos[0] != 0;

    for (int i = 0; i <= lastClip; ++i) {
        if (state.MenuBuilt == 0 && i >= 1) {
            // Shadows are created whatever the shadow mode, so the arrays stay alike.
            CreateElement(form.clip, i);
            CreateElement(form.Shadow, i);
        }
        ui::AutoSizeLabel& entry = form.clip[i];
        const auto slot = static_cast<std::size_t>(i);
        const QString caption = MenuCaption(catalogue.ClipTitles[slot], settings.HideMode);
        entry.setCaption(caption);

        // A placing value of 0 would divide by zero: such an entry takes its automatic place
        // instead, while the other entries keep their explicit ones.
        const std::int32_t xpos = catalogue.ClipXPos[slot];
        const std::int32_t ypos = catalogue.ClipYPos[slot];
        if (explicitLayout && xpos != 0 && ypos != 0) {
            twips.setLeft(entry, ExplicitPosition(twips.width(area), xpos));
            twips.setTop(entry, ExplicitPosition(twips.height(area), ypos));
        } else {
            twips.setLeft(entry, AutomaticLeft(twips.width(area), twips.width(entry), px));
            twips.setTop(entry, AutomaticTop(i, pitch, menuTop, px));
        }
        entry.setVisible(true);

        if (settings.ShadowMode == 1) {
            ui::AutoSizeLabel& shadow = form.Shadow[i];
            shadow.setCaption(caption);
            twips.setLeft(shadow, twips.left(entry) + 2 * px);
            twips.setTop(shadow, twips.top(entry) + 2 * px);
            shadow.setVisible(true);
            shadow.raise();
        }
        // Each entry lies above its own shadow and everything placed before it.
        entry.raise();
    }

    std::int16_t selected = 0;
    if (state.MenuBuilt != 0) {
        // The clip started last; a clip number that names no entry highlights the first one.
        const int started = state.CurrentClip - 1;
        if (started >= 0 && started <= lastClip) {
            selected = static_cast<std::int16_t>(started);
        }
    } else {
        form.clip[0].setForeColor(settings.HiliteColor);
        state.MenuBuilt = 1;
    }
    form.Image1->setVisible(true);
    SetHilite(program, selected);
}

void HideMenu(program::Program& program) {
    ui::Form1& form = program.form;
    if (!form.clip[0].isHidden()) {
        const int lastClip = program.state.Catalogue.LastClip;
        for (int i = 0; i <= lastClip; ++i) {
            if (ui::AutoSizeLabel* entry = form.clip.find(i)) {
                entry->setVisible(false);
            }
        }
    }
    // Shadows stay: the clip covers them when it plays.
    form.Image1->setVisible(false);
    program.services.events.processPendingEvents();
}

} // namespace quorix::menu
