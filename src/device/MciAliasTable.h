#pragma once

#include "device/MciCommand.h"

#include <algorithm>
#include <cstdint>
#include <list>
#include <string>
#include <string_view>

namespace quorix::device {

// The open devices by alias (compared without regard to ASCII case), each with its device ID:
// the lowest ID from 1 that no open device holds.
template <typename Entry> class MciAliasTable {
public:
    struct Slot {
        std::int32_t id = 0;
        std::string alias; // lower case
        Entry entry;
    };

    Slot* find(std::string_view alias) {
        const std::string key = lowerAscii(alias);
        auto it = std::find_if(slots_.begin(), slots_.end(),
                               [&](const Slot& slot) { return slot.alias == key; });
        return it == slots_.end() ? nullptr : &*it;
    }

    Slot& add(std::string_view alias, Entry entry) {
        std::int32_t id = 1;
        while (std::any_of(slots_.begin(), slots_.end(),
                           [id](const Slot& slot) { return slot.id == id; })) {
            ++id;
        }
        slots_.push_back(Slot{id, lowerAscii(alias), std::move(entry)});
        return slots_.back();
    }

    void remove(std::string_view alias) {
        const std::string key = lowerAscii(alias);
        slots_.remove_if([&](const Slot& slot) { return slot.alias == key; });
    }

    void clear() { slots_.clear(); }
    bool empty() const { return slots_.empty(); }
    std::list<Slot>& entries() { return slots_; }

private:
    // A list keeps every slot where it is while others come and go.
    std::list<Slot> slots_;
};

} // namespace quorix::device
