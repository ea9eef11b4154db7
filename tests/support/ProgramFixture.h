#pragma once

#include "ReplayServices.h"
#include "platform/MemoryProfileReader.h"
#include "platform/PathResolver.h"
#include "platform/mci/ScriptedMciDevice.h"
#include "program/Program.h"
#include "ui/Form1.h"

#include <QCoreApplication>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace quorix::testing {

// Lets pending events run like the program's pump, and first calls a hook, so a test can look at
// the program at each point where other handlers could get in.
class HookedEventPump final : public platform::EventPump {
public:
    void processPendingEvents() override {
        ++calls;
        if (hook) {
            hook();
        }
        QCoreApplication::processEvents();
    }

    int calls = 0;
    std::function<void()> hook;
};

// The main window, 800 x 600 pixels, with the program around it on transcribing test services
// and a scripted device.
class ProgramFixture : public ::testing::Test {
protected:
    explicit ProgramFixture(int twipsPerPixel = 15)
        : screen_(transcript_, 800, 600, twipsPerPixel),
          form_(TwipsGeometry(twipsPerPixel, twipsPerPixel)) {
        form_.setWindowState(Qt::WindowNoState);
        form_.setGeometry(0, 0, 800, 600);
        program_.state.MciReturnLength = 255;
    }

    // The transcript's lines since the last call.
    std::vector<std::string> newLines() {
        std::vector<std::string> lines;
        const std::string& text = transcript_.text();
        std::size_t start = read_;
        for (std::size_t end = text.find('\n', start); end != std::string::npos;
             end = text.find('\n', start)) {
            lines.push_back(text.substr(start, end - start));
            start = end + 1;
        }
        read_ = start;
        return lines;
    }

    // Every message box text in the transcript since the last newLines().
    std::vector<std::string> messages() {
        std::vector<std::string> boxes;
        for (const std::string& line : newLines()) {
            if (line.rfind("msgbox ", 0) == 0) {
                boxes.push_back(line);
            }
        }
        return boxes;
    }

    bool transcribed(const std::string& line) const {
        return transcript_.text().find(line + "\n") != std::string::npos;
    }

    const TwipsGeometry& twips() const { return form_.twips(); }

    replay::Transcript transcript_;
    platform::mci::ScriptedMciDevice device_;
    replay::TranscribingMciDevice mci_{transcript_, device_};
    int activations_ = 0;
    replay::ReplayDialogs dialogs_{transcript_, [this] { ++activations_; }};
    replay::ReplayScreen screen_;
    replay::ReplayTimer timer_{transcript_};
    HookedEventPump events_;
    replay::ReplayProgramEnd end_{[](int) { FAIL() << "the program ended"; }};
    replay::ReplayPointerCounter pointer_{transcript_};
    platform::MemoryProfileReader profile_;
    platform::PathResolver paths_;
    replay::ReplayWindowSystem windows_;
    Form1 form_;
    Program program_{form_,
                     Services{mci_, dialogs_, screen_, timer_, events_, end_, pointer_, profile_,
                              paths_, windows_},
                     StartupPlace{}};

private:
    std::size_t read_ = 0;
};

} // namespace quorix::testing
