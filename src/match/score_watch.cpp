#include "match/score_watch.h"

#include "app/shell.h"
#include "match/cgame.h"
#include "match/scoreboard.h"

void score_watch::reset(const match_events& events, std::uint32_t tick)
{
    feed.clear();
    counts.clear();
    counts.read(events, tick);
    steps = 0;
    fed = events.count_by(tick);
}

void score_watch::watch(const match_events& events, std::uint32_t tick)
{
    counts.read(events, tick);
    for (const std::size_t until = events.count_by(tick); fed < until; fed++) {
        const match_event& happening = events.all()[fed];
        if (happening.what == match_event::kind::death)
            feed.add(happening.killer, happening.cause, happening.slot, steps);
    }
    steps++;
}

void score_watch::draw(const std::vector<std::string>& human_names, const std::vector<int>& pings,
                       bool with_ping) const
{
    draw_kill_feed(feed_now(), human_names);
    if (al_key_down(&keyboard, ALLEGRO_KEY_TAB))
        draw_scoreboard(scoreboard_rows(human_names, get_scores(), pings), game.get_shown_slot(), with_ping);
}
