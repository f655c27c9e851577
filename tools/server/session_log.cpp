#include "session_log.h"

#include "roster_changes.h"
#include "server_log.h"

void session_log::watch_lobby(const net_session& session)
{
    const std::vector<net_player>& now = session.get_humans();
    for (const roster_change& change : roster_changes(known, now))
        log_line((change.joined ? "join " : "leave ") + change.name);
    known = now;
}

void session_log::match_started(const net_session& session, int new_number)
{
    number = new_number;
    const net_start& start = session.get_start();
    began = start.humans;
    map_name = start.map_name;
    names.clear();
    for (const net_player& human : began)
        names.push_back(human.name);
    gone.assign(began.size(), false);
    kills_written = 0;
    end_written = false;
    log_line("match " + std::to_string(number) + " start " + map_name + ": " + lineup_text(names, start.bots));
}

void session_log::watch_match(const net_session& session)
{
    const rollback_match& match = session.get_match();
    // Players come late follow those who began, each in a bot's place.
    const std::vector<net_player>& humans = session.get_start().humans;
    for (std::size_t slot = began.size(); slot < humans.size(); slot++) {
        began.push_back(humans[slot]);
        names.push_back(humans[slot].name);
        gone.push_back(false);
        log_line("join " + humans[slot].name + " into the match, for a bot");
    }
    for (std::size_t slot = 0; slot < began.size(); slot++) {
        if (gone[slot] || match.left_at(static_cast<int>(slot)) == rollback_match::never)
            continue;
        gone[slot] = true;
        log_line("leave " + names[slot]);
    }
    write_kills(match, match.final_tick());
    match_result result;
    std::uint32_t at = 0;
    if (end_written || !session.match_over(result, at))
        return;
    write_kills(match, at);
    end_written = true;
    log_line("match " + std::to_string(number) + " over " + map_name + " at tick " + std::to_string(at) + ": " +
             result_text(result, names));
}

void session_log::write_kills(const rollback_match& match, std::uint32_t final_tick)
{
    const std::vector<kill_event>& kills = match.kills_so_far();
    for (; kills_written < kills.size() && kills[kills_written].tick <= final_tick; kills_written++)
        log_line(kill_text(kills[kills_written], names));
}

void session_log::match_left()
{
    known.clear();
    for (std::size_t slot = 0; slot < began.size(); slot++)
        if (!gone[slot])
            known.push_back(began[slot]);
}

void session_log::watch_watchers(const net_session& session)
{
    const int now = session.watcher_count();
    for (; watchers < now; watchers++)
        log_line("watcher joined (" + std::to_string(watchers + 1) + " watching)");
    for (; watchers > now; watchers--)
        log_line("watcher left (" + std::to_string(watchers - 1) + " watching)");
}

bool session_log::everyone_left() const
{
    for (bool left : gone)
        if (!left)
            return false;
    return true;
}
