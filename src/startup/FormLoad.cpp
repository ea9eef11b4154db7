#include "startup/FormLoad.h"

#include "startup/CatalogueReader.h"
#include "startup/FirstPlayState.h"
#include "startup/MediaFolder.h"
#include "startup/SettingsReader.h"
#include "startup/TitleFont.h"

namespace quorix::startup {

void ReadSettingsFile(program::Program& program) {
    program::ProgramState& state = program.state;
    state.Settings = ReadSettings(program.services.profile, state.MediaPath);
    SizeTitleFont(program);
    ApplyFontKeys(program);
    state.Catalogue = ReadCatalogue(program.services.profile, state.MediaPath);
}

void Form_Load(program::Program& program) {
    program::ProgramState& state = program.state;

    state.MciReturnLength = 255;
    state.MciReturn.assign(255, ' ');

    state.MediaPath = FindMediaPath(program.place.currentDirectory, program.place.commandLine,
                                    program.place.separator);
    ReadSettingsFile(program);

    if (state.Catalogue.LastClip < 0) {
        program.services.dialogs.showMessage(std::string(NothingToPlayMessage));
        program.services.end.endProgram(1);
    }

    ChooseFirstPlayState(state);
    // The timer is designed with the once-a-second tick; only a settings file that asks for a
    // shorter one changes it.
    if (program.services.timer.interval() != state.Settings.TickInterval) {
        program.services.timer.setInterval(state.Settings.TickInterval);
    }
    program.services.timer.setEnabled(true);
}

} // namespace quorix::startup
