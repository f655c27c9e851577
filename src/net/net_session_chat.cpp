// What the players say. The host is the hub here too: it takes each line
// from its speaker, at most two a second, stamps it with the speaker's slot
// and its own tick, and relays it reliably to every joiner, the speaker
// included, so that every peer hears the same lines in the same order.
#include <algorithm>

#include "net/net_session.h"

namespace {

const int own_line = -1;  // the host's own, as take_line's peer

}  // namespace

const char* const net_session::too_fast_note = "NOT SENT: TWO LINES A SECOND AT MOST";
const char* const net_session::bad_line_note = "NOT SENT: 1 TO 100 PRINTABLE CHARACTERS ONLY";

void net_session::say(const std::string& text)
{
    if (!link || (current_phase != phase::lobby && current_phase != phase::playing))
        return;
    if (roster.hosts()) {
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
    if (roster.hosts())
        take_line(peer, roster.slot(peer), message.chat.text);
    else
        chat.hear(message.chat, current_phase == phase::playing, static_cast<int>(roster.humans().size()));
}

void net_session::take_line(int peer, int slot, const std::string& text)
{
    const auto at = link->now();
    line_rate& rate = peer == own_line ? own_lines : guards[peer].said;
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
    send_to(roles::greeted, encode(line));
    chat.hear(line, current_phase == phase::playing, static_cast<int>(roster.humans().size()));
}

// A note goes to one player alone, and no more often than lines may come,
// so that a joiner cannot make the host send more than it is sent.
void net_session::note_to(int peer, const char* text)
{
    net_chat note;
    note.slot = net_chat_note_slot;
    note.text = text;
    if (peer == own_line)
        chat.hear(note, current_phase == phase::playing, static_cast<int>(roster.humans().size()));
    else if (guards[peer].noted.take(link->now()))
        link->send(peer, encode(note), true);
}
