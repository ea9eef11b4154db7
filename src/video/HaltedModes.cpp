#include "video/HaltedModes.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <string_view>

namespace quorix::video {
namespace {

// The mode names of a halted clip, and how many characters of each the end-of-clip test
// compares.
struct HaltedMode {
    std::string_view name;
    qsizetype stoppedPrefix;
};
constexpr std::array<HaltedMode, 4> HaltedModeNames{{
    {"paused", 6},
    {"stopped", 7},
    {"keskeytetty", 3}, // paused
    {"pysäytetty", 3},  // stopped
}};

constexpr qsizetype HaltedPrefix = 5;

bool AnswerBeginsLike(const program::MciChannel& channel, std::string_view name,
                      qsizetype characters) {
    const QByteArray start = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()))
                                 .left(characters)
                                 .toUtf8();
    return channel.AnswerIsMode(
        std::string_view(start.constData(), static_cast<std::size_t>(start.size())));
}

} // namespace

bool AnswerIsHalted(const program::MciChannel& channel) {
    for (const HaltedMode& mode : HaltedModeNames) {
        if (AnswerBeginsLike(channel, mode.name, HaltedPrefix)) {
            return true;
        }
    }
    return false;
}

bool AnswerIsStopped(const program::MciChannel& channel) {
    for (const HaltedMode& mode : HaltedModeNames) {
        if (AnswerBeginsLike(channel, mode.name, mode.stoppedPrefix)) {
            return true;
        }
    }
    return false;
}

} // namespace quorix::video
