#pragma once

#include "Transcript.h"
#include "platform/Dialogs.h"
#include "platform/EventPump.h"
#include "platform/MciDevice.h"
#include "platform/PointerDisplayCounter.h"
#include "platform/ProgramEnd.h"
#include "platform/Screen.h"
#include "platform/SupervisorTimer.h"
#include "platform/WindowSystem.h"

#include <functional>
#include <string>
#include <vector>

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

// The window system's operations leave no line in the transcript; they are recorded for tests to
// read. Handles are numbered 1, 2, ... in the order the windows are first asked for, so commands
// that carry them read the same on every run.
class ReplayWindowSystem final : public platform::WindowSystem {
public:
    enum class Operation { Lock, Unlock, Refresh, Focus, Activate };
    struct Call {
        Operation operation;
        const QWidget* window = nullptr; // Lock, Refresh, Focus
        std::string title;               // Activate
    };

    std::int32_t windowHandle(QWidget& window) override;
    bool lockUpdates(QWidget& window) override;
    void unlockUpdates() override;
    void refreshNow(QWidget& window) override;
    void setFocus(QWidget& window) override;
    bool activateWindowTitled(std::string_view title) override;

    const std::vector<Call>& calls() const { return calls_; }
    // The window whose updates are locked now, or null.
    const QWidget* locked() const { return locked_; }

private:
    std::vector<Call> calls_;
    std::vector<const QWidget*> handles_;
    const QWidget* locked_ = nullptr;
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
