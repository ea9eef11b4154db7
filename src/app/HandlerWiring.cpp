#include "app/HandlerWiring.h"

#include "menu/PointerHandlers.h"
#include "menu/ShowPicbase.h"
#include "playback/KeyboardCommands.h"
#include "playback/PositionBar.h"
#include "playback/Supervisor.h"
#include "ui/Form1.h"

namespace quorix::app {

void ConnectPlaybackHandlers(program::Program& program) {
    ui::Form1& form = program.form;
    QObject::connect(&form, &ui::Form1::keyDown, &form,
                     [&program](std::int16_t keyCode, std::int16_t shift) {
                         playback::Form_KeyDown(program, keyCode, shift);
                     });
    QObject::connect(&form, &ui::Form1::hScroll1Change, &form,
                     [&program] { playback::HScroll1_Change(program); });
    QObject::connect(&form, &ui::Form1::hScroll1Scroll, &form,
                     [&program] { playback::HScroll1_Scroll(program); });
}

void ConnectPointerHandlers(program::Program& program) {
    ui::Form1& form = program.form;
    program::Program* p = &program;
    QObject::connect(&form, &ui::Form1::clipClick, &form,
                     [p](std::int16_t index) { menu::clip_Click(*p, index); });
    QObject::connect(&form, &ui::Form1::clipMouseMove, &form,
                     [p](std::int16_t index) { menu::clip_MouseMove(*p, index); });
    QObject::connect(&form, &ui::Form1::btnClick, &form,
                     [p](std::int16_t index) { playback::Btn_Click(*p, index); });
    QObject::connect(&form, &ui::Form1::btnMouseMove, &form,
                     [p](std::int16_t index) { playback::Btn_MouseMove(*p, index); });
    QObject::connect(&form, &ui::Form1::sspanel1MouseMove, &form,
                     [p] { playback::sspanel1_MouseMove(*p); });
    QObject::connect(&form, &ui::Form1::picture1Click, &form, [p] { menu::Picture1_Click(*p); });
    QObject::connect(&form, &ui::Form1::picture1MouseMove, &form,
                     [p] { playback::Picture1_MouseMove(*p); });
    QObject::connect(&form, &ui::Form1::label2Click, &form, [p] { menu::Label2_Click(*p); });
    QObject::connect(&form, &ui::Form1::label2MouseMove, &form,
                     [p] { menu::Label2_MouseMove(*p); });
}

void ConnectActivation(program::Program& program) {
    ui::Form1& form = program.form;
    QObject::connect(&form, &ui::Form1::activated, &form,
                     [&program] { menu::Form_Activate(program); });
}

void ConnectSupervisor(program::Program& program, FirstTickGate& firstTick) {
    ui::Form1& form = program.form;
    QObject::connect(form.Timer1, &ui::QtSupervisorTimer::tick, &form, [&program, &firstTick] {
        if (firstTick.passTick(FirstTickGate::Clock::now())) {
            playback::Timer1_Timer(program);
        }
    });
    QObject::connect(&form, &ui::Form1::activated, &form, [&form, &firstTick] {
        if (firstTick.activated()) {
            form.Timer1->tickNow();
        }
    });
}

} // namespace quorix::app
