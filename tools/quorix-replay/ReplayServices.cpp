#include "ReplayServices.h"

#include "Scenario.h"

#include <QCoreApplication>
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
