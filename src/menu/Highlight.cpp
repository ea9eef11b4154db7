#include "menu/Highlight.h"

#include "ui/Form1.h"

namespace quorix::menu {

void SetHilite(program::Program& program, std::int16_t id) {
    program::ProgramState& state = program.state;
    const program::SettingsRecord& settings = state.Settings;
    // Hide mode 1 exactly keeps every colour; other non-zero hide modes still move it.
    if (settings.HideMode == 1) {
        return;
    }
    ui::ControlArray<ui::AutoSizeLabel>& entries = program.form.clip;
    // An index with no entry (a key pressed before the menu was first built) changes nothing.
    ui::AutoSizeLabel* target = entries.find(id);
    if (target == nullptr) {
        return;
    }
    const int lastClip = state.Catalogue.LastClip;
    for (int i = 0; i <= lastClip; ++i) {
        ui::AutoSizeLabel* entry = entries.find(i);
        if (entry != nullptr && entry->foreColor() == settings.HiliteColor) {
            entry->setForeColor(settings.FontColor.value_or(0));
        }
    }
    target->setForeColor(settings.HiliteColor);
    state.HiliteIndex = id;
}

} // namespace quorix::menu
