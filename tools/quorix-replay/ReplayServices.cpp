#include "ReplayServices.h"

#include "Scenario.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdlib>

namespace quorix::replay {

void ReplayScreen::setMousePointer(int pointer) {
    pointer_ = pointer;
    transcript_.add("pointer " + std::to_string(pointer));
}

void ReplayTimer::setInterval(int milliseconds) {
    interval_ = milliseconds;
    transcript_.add("timer interval " + std::to_string(milliseconds));
}

void ReplayTimer::setEnabled(bool enabled) {
    enabled_ = enabled;
    transcript_.add(enabled ? "timer on" : "timer off");
}

int ReplayPointerCounter::showCursor(bool show) {
    count_ += show ? 1 : -1;
    transcript_.add((show ? "cursor show " : "cursor hide ") + std::to_string(count_));
    return count_;
}

void ReplayDialogs::showMessage(const std::string& text) {
    transcript_.add("msgbox " + QuoteWord(text));
}

void ReplayDialogs::showSecondWindow() {
    transcript_.add("form2");
    if (mainWindowActivated_) {
        mainWindowActivated_();
    }
}

void ReplayEventPump::processPendingEvents() {
    QCoreApplication::processEvents();
}

void ReplayProgramEnd::endProgram(int status) {
    finish_(status);
    // finish_ ends the process; should it ever return, the program must still not go on.
    std::_Exit(status);
}

std::int32_t ReplayWindowSystem::windowHandle(QWidget& window) {
    auto known = std::find(handles_.begin(), handles_.end(), &window);
    if (known == handles_.end()) {
        known = handles_.insert(handles_.end(), &window);
    }
    return static_cast<std::int32_t>(known - handles_.begin()) + 1;
}

bool ReplayWindowSystem::lockUpdates(QWidget& window) {
    calls_.push_back({Operation::Lock, &window, {}});
    if (locked_ != nullptr && locked_ != &window) {
        return false;
    }
    locked_ = &window;
    return true;
}

void ReplayWindowSystem::unlockUpdates() {
    calls_.push_back({Operation::Unlock, nullptr, {}});
    locked_ = nullptr;
}

void ReplayWindowSystem::refreshNow(QWidget& window) {
    calls_.push_back({Operation::Refresh, &window, {}});
}

void ReplayWindowSystem::setFocus(QWidget& window) {
    calls_.push_back({Operation::Focus, &window, {}});
}

bool ReplayWindowSystem::activateWindowTitled(std::string_view title) {
    calls_.push_back({Operation::Activate, nullptr, std::string(title)});
    return true;
}

std::optional<platform::MciReply> TranscribingMciDevice::send(std::string_view command) {
    transcript_.add("mci> " + std::string(command));
    auto reply = device_.send(command);
    if (!reply) {
        transcript_.add("mci! failed");
        return reply;
    }
    transcript_.add("mci< " + std::to_string(reply->code) + " " + QuoteWord(reply->answer));
    return reply;
}

} // namespace quorix::replay
