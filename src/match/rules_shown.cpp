#include "match/rules_shown.h"

#include <algorithm>
#include <cstdio>

#include <allegro5/allegro_primitives.h>

#include "app/logical_screen.h"
#include "app/text.h"
#include "match/match_shape.h"
#include "match/scoreboard.h"

namespace {

const int clock_y = 20;
const int title_y = 150;

}  // namespace

std::string time_left_text(const match_rules& rules, std::uint32_t ticks)
{
    if (rules.time_limit <= 0)
        return "";
    const std::uint32_t limit = ticks_of_minutes(rules.time_limit);
    const std::uint32_t left = limit - std::min(ticks, limit);
    // A second just begun counts whole, so 0:00 shows only at the end.
    const std::uint32_t seconds = (left + ticks_a_second - 1) / ticks_a_second;
    char text[16];
    std::snprintf(text, sizeof text, "%u:%02u", seconds / 60, seconds % 60);
    return text;
}

void draw_time_left(const match_rules& rules, std::uint32_t ticks)
{
    const std::string text = time_left_text(rules, ticks);
    if (!text.empty())
        draw_text(al_map_rgb(255, 255, 255), text.c_str(), centred_x(text.c_str(), true), clock_y, true);
}

std::string match_end_title(const match_result& result, const std::vector<std::string>& human_names)
{
    if (result.winner < 0)
        return "DRAW";
    return fighter_name(result.winner, human_names) + " WINS";
}

void draw_match_end(const match_result& result, const std::vector<std::string>& human_names,
                    const std::vector<fighter_score>& scores, const std::vector<int>& pings, int local_slot,
                    bool with_ping)
{
    const std::string title = match_end_title(result, human_names);
    const int width = text_width(static_cast<int>(title.size()), true);
    const int x = (logical_width - width) / 2;
    al_draw_filled_rectangle(x - 20, title_y - 12, x + width + 20, title_y + 52, al_map_rgba(0, 0, 0, 190));
    draw_text(al_map_rgb(255, 220, 64), title.c_str(), x, title_y, true);
    draw_scoreboard(scoreboard_rows(human_names, scores, pings), local_slot, with_ping);
}
