#pragma once

#include "platform/Dialogs.h"
#include "platform/MciDevice.h"
#include "program/ProgramState.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorix::program {

// The fixed texts of the failure messages; the code and ")" follow each.
namespace trouble {
inline constexpr std::string_view Initializing0 =
    "Having trouble in initializing the MPEG video file. (0: ";
inline constexpr std::string_view Initializing1 =
    "Having trouble in initializing the MPEG video file. (1: ";
inline constexpr std::string_view Initializing2 =
    "Having trouble in initializing the MPEG video file. (2: ";
inline constexpr std::string_view Initializing3 =
    "Having trouble in initializing the MPEG video file. (3: ";
inline constexpr std::string_view Playing1 = "Having trouble in playing the MPEG video file. (1: ";
inline constexpr std::string_view Playing2 = "Having trouble in playing the MPEG video file. (2: ";
inline constexpr std::string_view Pausing1 = "Having trouble in pausing the MPEG video file. (1: ";
inline constexpr std::string_view Seeking1 = "Having trouble in seeking the MPEG video file. (1: ";
inline constexpr std::string_view Requesting1 =
    "Having trouble in requesting the MPEG video file. (1: ";
inline constexpr std::string_view Requesting2 =
    "Having trouble in requesting the MPEG video file. (2: ";
inline constexpr std::string_view Requesting3 =
    "Having trouble in requesting the MPEG video file. (3: ";
} // namespace trouble

// The one way the program talks to the media device: sends a command string, leaves the answer
// in the state's MciReturn, reads it back, and reports failures.
//
// MciReturn after a send holds what a caller's fixed buffer of MciReturnLength characters (at
// most 255, the size of the blank-filled buffer) would show: the answer up to its first NUL and
// at most MciReturnLength - 1 characters, leaving room for the NUL. A real device refuses an
// answer that does not fit with 268 instead; ours never gives one that long. When the send
// fails outright the device writes nothing, and MciReturn keeps its 255 blanks.
class MciChannel {
public:
    MciChannel(platform::MciDevice& device, platform::Dialogs& dialogs, ProgramState& state);

    // Sends one command and returns its code; no value when the send itself failed.
    std::optional<std::int32_t> SendMci(std::string_view command);

    // Shows the information box: text, the code in decimal, ")".
    void ReportTrouble(std::string_view text, std::int32_t code);

    // MciReturn read as a number: the decimal number at its start (leading blanks skipped,
    // reading stops at the first character that cannot continue it, none reads as 0) rounded to
    // the nearest integer, halves to even. No value when it does not fit a 32-bit integer, which
    // is a failing step for the caller.
    std::optional<std::int32_t> AnswerAsNumber() const;

    // Whether the first n characters of MciReturn, lower-cased, equal word (lower case, n
    // characters long). A shorter answer never matches.
    bool AnswerIsMode(std::string_view word) const;

    ProgramState& state() { return state_; }

private:
    platform::MciDevice& device_;
    platform::Dialogs& dialogs_;
    ProgramState& state_;
};

// What one run of a routine in continue-on-failure mode remembers: whether any of its steps has
// failed since it was entered. Make one on entry; it is never cleared while the run lasts.
class ContinueOnFailure {
public:
    explicit ContinueOnFailure(MciChannel& channel) : channel_(channel) {}

    // Sends a command and keeps its code in code. A send that fails outright is a failed step:
    // code keeps the value it had, and the result is false.
    bool Send(std::string_view command, std::int32_t& code);

    // Some other step failed and was skipped.
    void Trap() { failed_ = true; }
    bool Failed() const { return failed_; }

    // The check of a tested command: reports trouble with text and code when a step has failed
    // since entry or the code is not 0. True when it reported.
    bool Check(std::string_view text, std::int32_t code);

    // Reads MciReturn as a number into target; when it does not fit, target keeps its value and
    // the step counts as failed.
    void ReadNumber(std::int32_t& target);

private:
    MciChannel& channel_;
    bool failed_ = false;
};

} // namespace quorix::program
