#include "net/reading_relay.h"

#include <algorithm>

void reading_relay::forget_all()
{
    for (peer_state& peer : peers)
        peer = peer_state();
}

void reading_relay::entered(int slot, std::uint32_t tick)
{
    for (peer_state& peer : peers)
        peer.have_until[slot] = std::max(peer.have_until[slot], tick);
}

net_inputs reading_relay::next_for(int peer, int their_slot, int own_slot, const rollback_match& match,
                                   clock::time_point at)
{
    peer_state& other = peers[peer];
    net_inputs inputs;
    inputs.sender_tick = match.get_tick();
    // This packet takes the place of the one `sends_of_each` back: what
    // that one sent first has gone in enough packets.
    const std::uint32_t newest = (other.packets_to + sends_of_each - 1) % sends_of_each;
    const std::uint32_t oldest = other.packets_to % sends_of_each;
    other.packets_to++;
    for (int slot = 0; slot < match.human_count(); slot++) {
        const std::vector<control_reading>& readings = match.known(slot);
        std::uint32_t* sent_until = other.sent_until[slot];
        const std::uint32_t sent_long_ago = sent_until[oldest];
        const std::uint32_t sent_before = sent_until[newest];
        sent_until[oldest] = sent_before;
        // A joiner sends only its own (a watcher none); the hub relays
        // everyone else's. Each tells the other what it has of the slots
        // the other sends it.
        if (hub ? slot == their_slot : slot != own_slot) {
            inputs.have_until[slot] = static_cast<std::uint32_t>(readings.size());
            continue;
        }
        std::uint32_t from = std::max(other.have_until[slot], sent_long_ago);
        std::size_t most = net_max_readings;
        if (at - other.moved_on[slot] > resend_after) {
            other.moved_on[slot] = at;  // it lacks more than the last few: again
            from = other.have_until[slot];
            most = most_resent;
        }
        const auto until = std::min<std::size_t>(readings.size(), match.left_at(slot));
        if (from >= until)
            continue;
        net_slot_inputs entry;
        entry.slot = slot;
        entry.first_tick = from;
        const control_reading before = from > 0 ? readings[from - 1] : control_reading{};
        const std::size_t count = std::min<std::size_t>(until - from, most);
        const std::size_t packed = pack_readings(entry, before, readings.data() + from, count);
        inputs.slots.push_back(entry);
        // A resend of what it lacks does not take the regular sends back.
        sent_until[oldest] = std::max(sent_before, static_cast<std::uint32_t>(from + packed));
    }
    return inputs;
}

void reading_relay::take(int peer, int their_slot, const net_inputs& inputs, rollback_match& match,
                         clock::time_point at, std::vector<std::string>& refused)
{
    peer_state& from = peers[peer];
    from.sender_tick = std::max(from.sender_tick, inputs.sender_tick);
    for (int slot = 0; slot < net_max_slots; slot++) {
        if (inputs.have_until[slot] > from.have_until[slot])
            from.moved_on[slot] = at;
        from.have_until[slot] = std::max(from.have_until[slot], inputs.have_until[slot]);
    }
    // What the hub keeps and relays stays bounded.
    const std::uint32_t taken_until = hub ? match.get_tick() + most_taken_ahead : rollback_match::never;
    std::vector<control_reading> readings;
    for (const net_slot_inputs& entry : inputs.slots) {
        if (hub && entry.slot != their_slot) {
            refused.push_back("controls for slot " + std::to_string(entry.slot) + ", not its own");
            continue;
        }
        // Readings beyond one still lacking are of no use yet; they come again.
        const std::vector<control_reading>& known = match.known(entry.slot);
        if (entry.first_tick > known.size())
            continue;
        const control_reading before = entry.first_tick > 0 ? known[entry.first_tick - 1] : control_reading{};
        std::string reason;
        if (!unpack_readings(entry, before, readings, reason)) {
            refused.push_back("controls of slot " + std::to_string(entry.slot) + ": " + reason);
            continue;
        }
        for (std::size_t i = 0; i < readings.size(); i++) {
            const std::uint32_t tick_of = entry.first_tick + static_cast<std::uint32_t>(i);
            if (tick_of >= taken_until) {
                refused.push_back("controls for tick " + std::to_string(tick_of) + ", beyond tick " +
                                  std::to_string(taken_until));
                break;
            }
            match.add_remote(entry.slot, tick_of, readings[i]);
        }
    }
}
