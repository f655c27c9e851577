// An inputs message carrying `count` idle readings of `slot` from
// `first_tick`, as the network session's tests send them.
#pragma once

#include <cstdint>
#include <vector>

#include "net/net_messages.h"

inline net_inputs idle_inputs(int slot, std::uint32_t first_tick, std::size_t count)
{
    net_inputs inputs;
    net_slot_inputs entry;
    entry.slot = slot;
    entry.first_tick = first_tick;
    const std::vector<control_reading> idle(count);
    pack_readings(entry, control_reading{}, idle.data(), idle.size());
    inputs.slots.push_back(entry);
    return inputs;
}
