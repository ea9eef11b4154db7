#include "playback/PlaybackWiring.h"

#include "playback/KeyboardCommands.h"
#include "playback/PositionBar.h"
#include "ui/Form1.h"

namespace quorix {

void ConnectPlaybackHandlers(Program& program) {
    Form1& form = program.form;
    QObject::connect(&form, &Form1::keyDown, &form,
                     [&program](std::int16_t keyCode, std::int16_t shift) {
                         Form_KeyDown(program, keyCode, shift);
                     });
    QObject::connect(&form, &Form1::hScroll1Change, &form,
                     [&program] { HScroll1_Change(program); });
    QObject::connect(&form, &Form1::hScroll1Scroll, &form,
                     [&program] { HScroll1_Scroll(program); });
}

} // namespace quorix
