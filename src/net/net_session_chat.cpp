// What the players say. The host is the hub here too: it takes each line
// from its speaker, at most two a second, stamps it with the speaker's slot
// and its own tick, and relays it reliably to every joiner, the speaker
// included, so that every peer hears the same lines in the same order.
#include <algorithm>

#include "net/net_session.h"
#include "net/net_wire.h"

namespace {

const int host_peer = 0;  // on a joiner
const int own_line = -1;  // the host's own, as take_line's peer

}  // namespace

const char* const net_session::too_fast_note = "NOT SENT: TWO LINES A SECOND AT MOST";
const char* const net_session::bad_line_note = "NOT SENT: 1 TO 100 PRINTABLE CHARACTERS ONLY";

void net_session::say(const std::string& text)
{
    if (!link || (current_phase != phase::lobby && current_phase != phase::playing))
        return;
    if (hosting) {
        take_line(own_line, 0, text);
        return;
    }
    if (!is_chat_text(text)) {
        note_to(own_line, bad_line_note);
        return;
    }
    net_chat line;
    line.text = text;
    link->send(host_peer, encode(line), true);
}

// On the host, a joiner's line; on a joiner, a line the host relays.
void net_session::chat_from(int peer, const net_message& message)
{
    if (hosting)
        take_line(peer, remotes[peer].slot, message.chat.text);
    else
        hear(message.chat);
}

void net_session::take_line(int peer, int slot, const std::string& text)
{
    const auto at = link->now();
    line_rate& rate = peer == own_line ? own_lines : remotes[peer].said;
    const char* refused = !is_chat_text(text) ? bad_line_note : !rate.take(at) ? too_fast_note : nullptr;
    if (refused) {
        if (peer != own_line)
            refuse(peer, refused == too_fast_note ? "a chat line beyond two a second" : "a chat line out of the rule");
        note_to(peer, refused);
        return;
    }
    net_chat line;
    line.slot = slot;
    line.tick = current_phase == phase::playing ? match.get_tick() : 0;
    line.text = text;
    const std::string packet = encode(line);
    for (int joiner = 1; joiner <= net_transport::most_joiners; joiner++)
        if (greeted(joiner))
            link->send(joiner, packet, true);
    hear(line);
}

// A note goes to one player alone, and no more often than lines may come,
// so that a joiner cannot make the host send more than it is sent.
void net_session::note_to(int peer, const char* text)
{
    net_chat note;
    note.slot = net_chat_note_slot;
    note.text = text;
    if (peer == own_line)
        hear(note);
    else if (remotes[peer].noted.take(link->now()))
        link->send(peer, encode(note), true);
}

void net_session::hear(const net_chat& line)
{
    heard.push_back(line);
    if (heard.size() > most_heard_kept)
        heard.pop_front();
    heard_count++;
    if (current_phase != phase::playing || line.slot == net_chat_note_slot ||
        line.slot >= static_cast<int>(humans.size()))
        return;
    // The host stamps its lines in order; a replay must have them so.
    const std::uint32_t tick = match_chat.empty() ? line.tick : std::max(line.tick, match_chat.back().tick);
    match_chat.push_back({tick, line.slot, line.text});
}

std::vector<net_chat> net_session::heard_since(std::uint64_t& taken) const
{
    const std::uint64_t fresh = std::min<std::uint64_t>(heard_count - std::min(taken, heard_count), heard.size());
    taken = heard_count;
    return std::vector<net_chat>(heard.end() - static_cast<std::ptrdiff_t>(fresh), heard.end());
}

bool net_session::is_refused_line(int peer, const std::uint8_t* data, std::size_t size) const
{
    return hosting && size >= net_wire::header_size && data[0] == net_wire::magic[0] &&
           data[1] == net_wire::magic[1] && data[3] == static_cast<std::uint8_t>(net_kind::chat) &&
           rule_for(peer, net_kind::chat) != nullptr;
}
