#pragma once

#include <cstdint>

struct mpv_handle;

namespace quorix::device {

// The options every libmpv core of the device starts with, whatever its surface: no user
// configuration, scripts or key bindings, exact seeks, a cache of cacheBytes ahead of the
// playback position, files of media only, and sound through the platform's outputs (none
// without audio). False, with the refusal logged, when libmpv refuses one.
bool SetCommonOptions(mpv_handle* core, bool audio, std::int64_t cacheBytes);

// Sets one option before the core starts; a refusal is logged.
bool SetOption(mpv_handle* core, const char* name, const char* value);
// The native window ("wid") that libmpv draws into.
bool SetWindowOption(mpv_handle* core, std::int64_t window);

} // namespace quorix::device
