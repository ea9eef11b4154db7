#pragma once

#include "program/MciChannel.h"

namespace quorix::video {

// Whether the device's answer to "status video mode" names a halted clip: paused or stopped, in
// English or in Finnish. Both tests come from the same four mode names and differ only in how
// much of each name they compare.

// For pausing and resuming: the first five characters of any of the names.
bool AnswerIsHalted(const program::MciChannel& channel);

// For noticing that a clip has come to its end: the English names whole, the Finnish ones by
// their first three characters (devices answering in Finnish vary in the rest).
bool AnswerIsStopped(const program::MciChannel& channel);

} // namespace quorix::video
