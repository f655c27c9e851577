#include "match/score_watch.h"

#include "app/shell.h"
#include "fighters/cplayer.h"
#include "fighters/last_blow.h"
#include "match/cgame.h"
#include "match/scoreboard.h"

void score_watch::reset()
{
    feed.clear();
    alive.assign(max_players, false);
    steps = 0;
    kills_taken = 0;
}

void score_watch::watch_final(const std::vector<kill_event>& kills, std::uint32_t final_tick)
{
    for (; kills_taken < kills.size() && kills[kills_taken].tick <= final_tick; kills_taken++)
        feed.add(kills[kills_taken].killer, kills[kills_taken].cause, kills[kills_taken].victim, steps);
    steps++;
}

void score_watch::watch()
{
    if (alive.size() != max_players)
        reset();
    for (int id = 0; id < max_players; id++) {
        const cplayer& fighter = players[id];
        const bool now_alive = fighter.get_active() && fighter.get_health() > 0;
        if (alive[id] && !now_alive)
            feed.add(last_blows[id].attacker, last_blows[id].cause, id, steps);
        alive[id] = now_alive;
    }
    steps++;
}

std::vector<int> score_watch::get_deaths()
{
    std::vector<int> deaths;
    for (int id = 0; id < max_players; id++)
        deaths.push_back(players[id].get_deaths());
    return deaths;
}

void score_watch::draw(const std::vector<std::string>& human_names, const std::vector<int>& pings,
                       bool with_ping) const
{
    draw_kill_feed(feed_now(), human_names);
    if (al_key_down(&keyboard, ALLEGRO_KEY_TAB))
        draw_scoreboard(scoreboard_rows(human_names, get_deaths(), pings), game.get_shown_slot(), with_ping);
}
