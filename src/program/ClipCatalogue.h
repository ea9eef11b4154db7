#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quorix::program {

// The clips on offer. Titles and file names are kept as the bytes the settings file holds:
// a title is also the key of its file entry, and must match byte for byte.
struct ClipCatalogue {
    static constexpr int Slots = 16;

    std::array<std::string, Slots> ClipTitles;
    std::array<std::string, Slots> ClipFiles;
    std::array<std::int32_t, Slots> ClipXPos{};
    std::array<std::int32_t, Slots> ClipYPos{};
    std::int16_t LastClip = 0; // index of the last playable entry, -1 when there is none
};

} // namespace quorix::program
