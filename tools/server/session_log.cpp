#include "session_log.h"

#include "roster_changes.h"
#include "server_log.h"

void session_log::watch_lobby(const net_session& session)
{
    const std::vector<net_player>& now = session.get_roster().humans();
    for (const roster_change& change : roster_changes(known, now))
        log_line((change.joined ? "join " : "leave ") + change.name);
    known = now;
}

void session_log::match_started(const net_session& session, int new_number)
{
    number = new_number;
    const net_start& start = session.get_start();
    map_name = start.map_name;
    humans.clear();
    names.clear();
    take_newcomers(session);
    for (match_human& human : humans)
        human.came_in = true;
    written = 0;
    end_written = false;
    log_line("match " + std::to_string(number) + " start " + map_name + ": " + lineup_text(names, start.bots));
}

// Players come late follow those who began, each in a bot's place from the
// tick the match brings them in.
void session_log::take_newcomers(const net_session& session)
{
    const std::vector<net_player>& now = session.get_start().humans;
    for (std::size_t slot = humans.size(); slot < now.size(); slot++) {
        humans.push_back({now[slot], false, false});
        names.push_back(now[slot].name);
    }
}

void session_log::watch_match(const net_session& session)
{
    const rollback_match& match = session.get_match();
    take_newcomers(session);
    write_events(match.get_events(), match.final_tick());
    match_result result;
    std::uint32_t at = 0;
    if (!session.match_over(result, at))
        return;
    if (!end_written) {
        write_events(match.get_events(), at);
        end_written = true;
        log_line("match " + std::to_string(number) + " over " + map_name + " at tick " + std::to_string(at) +
                 ": " + result_text(result, names));
    }
    // Past its end the match steps no further: one who goes now leaves its
    // end's screen.
    for (std::size_t slot = 0; slot < humans.size(); slot++)
        if (match.left_at(static_cast<int>(slot)) != rollback_match::never)
            write_leave(slot);
}

void session_log::write_events(const match_events& events, std::uint32_t final_tick)
{
    for (const std::size_t until = events.count_by(final_tick); written < until; written++) {
        const match_event& happening = events.all()[written];
        const auto slot = static_cast<std::size_t>(happening.slot);
        if (happening.what == match_event::kind::death) {
            log_line(kill_text(happening, names));
        } else if (slot < humans.size() && happening.what == match_event::kind::entry && !humans[slot].came_in) {
            humans[slot].came_in = true;
            log_line("join " + names[slot] + " into the match, for a bot");
        } else if (slot < humans.size() && happening.what == match_event::kind::leave) {
            write_leave(slot);
        }
    }
}

void session_log::write_leave(std::size_t slot)
{
    if (humans[slot].left)
        return;
    humans[slot].left = true;
    log_line("leave " + names[slot]);
}

void session_log::match_left()
{
    known.clear();
    for (const match_human& human : humans)
        if (human.came_in && !human.left)
            known.push_back(human.player);
}

void session_log::watch_watchers(const net_session& session)
{
    const int now = session.get_roster().count(peer_role::watcher);
    for (; watchers < now; watchers++)
        log_line("watcher joined (" + std::to_string(watchers + 1) + " watching)");
    for (; watchers > now; watchers--)
        log_line("watcher left (" + std::to_string(watchers - 1) + " watching)");
}

bool session_log::everyone_left() const
{
    for (const match_human& human : humans)
        if (!human.left)
            return false;
    return true;
}
