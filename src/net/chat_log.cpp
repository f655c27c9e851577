#include "net/chat_log.h"

#include <algorithm>

void chat_log::hear(const net_chat& line, bool match_on, int humans)
{
    heard.push_back(line);
    if (heard.size() > most_kept)
        heard.pop_front();
    heard_count++;
    if (!match_on || line.slot == net_chat_note_slot || line.slot >= humans)
        return;
    // The host stamps its lines in order; a replay must have them so.
    const std::uint32_t tick = in_match.empty() ? line.tick : std::max(line.tick, in_match.back().tick);
    in_match.push_back({tick, line.slot, line.text});
}

void chat_log::clear()
{
    heard.clear();
    in_match.clear();
}

std::vector<net_chat> chat_log::since(std::uint64_t& taken) const
{
    const std::uint64_t fresh = std::min<std::uint64_t>(heard_count - std::min(taken, heard_count), heard.size());
    taken = heard_count;
    return std::vector<net_chat>(heard.end() - static_cast<std::ptrdiff_t>(fresh), heard.end());
}
