#pragma once

#include "Transcript.h"
#include "platform/Dialogs.h"
#include "platform/EventPump.h"
#include "platform/MciDevice.h"
#include "platform/PointerDisplayCounter.h"
#include "platform/ProgramEnd.h"
#include "platform/Screen.h"
#include "platform/SupervisorTimer.h"

#include <functional>

namespace quorix::replay {

// The outside services as a scenario sees them: each does its job at once and writes what
// happened to the transcript.

class ReplayScreen final : public platform::Screen {
public:
    ReplayScreen(Transcript& transcript, int widthPixels, int heightPixels, int twipsPerPixel)
        : transcript_(transcript), width_(widthPixels), height_(heightPixels),
          twipsPerPixel_(twipsPerPixel) {}

    int widthTwips() const override { return width_ * twipsPerPixel_; }
    int heightTwips() const override { return height_ * twipsPerPixel_; }
    int twipsPerPixelX() const override { return twipsPerPixel_; }
    int twipsPerPixelY() const override { return twipsPerPixel_; }
    void setMousePointer(int pointer) override;
    int mousePointer() const override { return pointer_; }

private:
    Transcript& transcript_;
    int width_;
    int height_;
    int twipsPerPixel_;
    int pointer_ = 0;
};

class ReplayTimer final : public platform::SupervisorTimer {
public:
    explicit ReplayTimer(Transcript& transcript) : transcript_(transcript) {}

    void setInterval(int milliseconds) override;
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override;
    bool enabled() const override { return enabled_; }

private:
    Transcript& transcript_;
    int interval_ = 1000; // as designed
    bool enabled_ = false;
};

class ReplayPointerCounter final : public platform::PointerDisplayCounter {
public:
    explicit ReplayPointerCounter(Transcript& transcript) : transcript_(transcript) {}

    int showCursor(bool show) override;
    int count() const { return count_; }

private:
    Transcript& transcript_;
    int count_ = 0;
};

// Message boxes are answered OK at once; the second window is closed at once, after which the
// main window is active again.
class ReplayDialogs final : public platform::Dialogs {
public:
    ReplayDialogs(Transcript& transcript, std::function<void()> mainWindowActivated)
        : transcript_(transcript), mainWindowActivated_(std::move(mainWindowActivated)) {}

    void showMessage(const std::string& text) override;
    void showSecondWindow() override;

private:
    Transcript& transcript_;
    std::function<void()> mainWindowActivated_;
};

class ReplayEventPump final : public platform::EventPump {
public:
    void processPendingEvents() override;
};

class ReplayProgramEnd final : public platform::ProgramEnd {
public:
    explicit ReplayProgramEnd(std::function<void(int status)> finish)
        : finish_(std::move(finish)) {}

    [[noreturn]] void endProgram(int status) override;

private:
    std::function<void(int status)> finish_;
};

// Writes every command sent to the device and what came back.
class TranscribingMciDevice final : public platform::MciDevice {
public:
    TranscribingMciDevice(Transcript& transcript, platform::MciDevice& device)
        : transcript_(transcript), device_(device) {}

    std::optional<platform::MciReply> send(std::string_view command) override;

private:
    Transcript& transcript_;
    platform::MciDevice& device_;
};

} // namespace quorix::replay
