#pragma once

#include "ReplayServices.h"
#include "device/ScriptedMciDevice.h"
#include "platform/MemoryProfileReader.h"
#include "platform/PathResolver.h"
#include "program/Program.h"
#include "ui/Form1.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace quorix::testing {

// The main window, 800 x 600 pixels, with the program around it on transcribing test services
// and a scripted device.
class ProgramFixture : public ::testing::Test {
protected:
    ProgramFixture() : screen_(transcript_, 800, 600, 15), form_(ui::TwipsGeometry(15, 15)) {
        form_.setWindowState(Qt::WindowNoState);
        form_.setGeometry(0, 0, 800, 600);
        program_.state.MciReturnLength = 255;
    }

    // Every message box line of the transcript since the last call.
    std::vector<std::string> messages() {
        std::vector<std::string> boxes;
        const std::string& text = transcript_.text();
        for (std::size_t end = 0; (end = text.find('\n', read_)) != std::string::npos;
             read_ = end + 1) {
            if (text.compare(read_, 7, "msgbox ") == 0) {
                boxes.push_back(text.substr(read_, end - read_));
            }
        }
        return boxes;
    }

    replay::Transcript transcript_;
    device::ScriptedMciDevice device_;
    replay::TranscribingMciDevice mci_{transcript_, device_};
    replay::ReplayDialogs dialogs_{transcript_, [] {}};
    replay::ReplayScreen screen_;
    replay::ReplayTimer timer_{transcript_};
    replay::ReplayEventPump events_;
    replay::ReplayProgramEnd end_{[](int) { FAIL() << "the program ended"; }};
    replay::ReplayPointerCounter pointer_{transcript_};
    platform::MemoryProfileReader profile_;
    platform::PathResolver paths_;
    replay::ReplayWindowSystem windows_;
    ui::Form1 form_;
    program::Program program_{form_,
                              program::Services{mci_, dialogs_, screen_, timer_, events_, end_,
                                                pointer_, profile_, paths_, windows_},
                              program::StartupPlace{}};

private:
    std::size_t read_ = 0;
};

} // namespace quorix::testing
