#include "net/net_recording.h"

#include <algorithm>

replay_data record_network_match(const rollback_match& match, const net_start& start,
                                 const std::vector<recorded_chat>& chat)
{
    replay_data replay;
    replay.setup = start;
    // Up to the last hashed tick that every human's controls are known for.
    const std::uint32_t every = rollback_match::hash_every;
    std::uint32_t last = std::min(match.confirmed(), match.get_tick()) / every * every;
    std::uint64_t hash = 0;
    while (last > 0 && !match.final_hash(last, hash))
        last -= every;
    // A match that ended by its rules, to its last tick.
    match_result ending;
    std::uint32_t ended_at = 0;
    if (match.final_result(ending, ended_at))
        last = ended_at;
    replay.ticks = last;
    for (std::size_t slot = 0; slot < start.humans.size(); slot++) {
        // One who comes in after the last tick kept is not in it yet.
        const std::uint32_t first = match.entered_at(static_cast<int>(slot));
        if (first > 0 && first >= last)
            break;
        recorded_human human;
        human.first_tick = first;
        const std::vector<control_reading>& readings = match.known(static_cast<int>(slot));
        const std::uint32_t until = std::min(last, match.left_at(static_cast<int>(slot)));
        // The first readings are the idle ones every peer begins with.
        const std::uint32_t first_read = first > 0 ? first : rollback_match::fewest_delay;
        if (readings.size() > first_read) {
            human.scale_x = readings[first_read].scale_x;
            human.scale_y = readings[first_read].scale_y;
        }
        for (std::uint32_t at = first; at < until && at < readings.size(); at++)
            human.add(readings[at]);
        replay.humans.push_back(human);
    }
    replay.setup.humans.resize(replay.humans.size());
    for (std::uint32_t at = 1000; at < last; at += 1000)
        if (match.final_hash(at, hash))
            replay.checkpoints.push_back({at, hash});
    if (last > 0 && match.final_hash(last, hash))
        replay.checkpoints.push_back({last, hash});
    // A player named a fighter may speak before the tick it takes it over;
    // one not in the replay yet cannot be heard in it.
    for (recorded_chat line : chat) {
        if (line.slot >= static_cast<int>(replay.humans.size()))
            continue;
        line.tick = std::min(line.tick, last);
        replay.chat.push_back(line);
    }
    return replay;
}
