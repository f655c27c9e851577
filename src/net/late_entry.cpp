#include "net/late_entry.h"

#include "net/net_recording.h"

std::string late_entry::why_not(const net_roster& roster, const net_hello& hello, const room& has,
                                peer_clock::time_point at, bool& plays)
{
    std::string why;
    plays = !hello.watching && roster.room_to_come_in(has.in_match, has.fighters, has.most_players, why);
    if (!plays && !roster.room_to_watch(has.most_watchers))
        return hello.watching ? "no room to watch: " + std::to_string(has.most_watchers) + " are watching"
                              : "no room to play: " + why;
    if (!packed.take(at))
        return "too many are joining the match under way; try again";
    return "";
}

std::vector<std::string> late_entry::catch_up(const replay_data& past, const rollback_match& match,
                                              const net_start& started)
{
    net_catch_up catch_up;
    catch_up.replay = pack_replay(past);
    if (catch_up.replay.empty() || catch_up.replay.size() > net_max_catch_up)
        return {};
    std::vector<std::string> packets{encode(catch_up)};
    // What the replay could not hold yet comes as it came to the others.
    for (int slot = static_cast<int>(past.humans.size()); slot < match.human_count(); slot++) {
        net_enter entry;
        entry.slot = slot;
        entry.tick = match.entered_at(slot);
        entry.look = started.humans[static_cast<std::size_t>(slot)];
        packets.push_back(encode(entry));
    }
    for (int slot = 0; slot < match.human_count(); slot++) {
        const std::uint32_t left = match.left_at(slot);
        if (left == rollback_match::never || left < past.ticks)
            continue;
        net_leave leave;
        leave.slot = slot;
        leave.tick = left;
        packets.push_back(encode(leave));
    }
    return packets;
}
