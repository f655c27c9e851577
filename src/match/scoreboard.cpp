#include "match/scoreboard.h"

#include <algorithm>
#include <cstdio>

#include <allegro5/allegro_primitives.h>

#include "app/logical_screen.h"
#include "app/text.h"
#include "fighters/cplayer.h"
#include "fighters/fighter_palette.h"
#include "match/player_name.h"

namespace {

const int row_height = 40;
const int table_width = 760;
const int top = 220;
const int name_x = 60;    // from the table's left edge
const int kills_x = 420;
const int deaths_x = 530;
const int ping_x = 640;
void draw_number(ALLEGRO_COLOR color, int value, int x, int y)
{
    char text[16];
    if (value < 0)
        std::snprintf(text, sizeof text, "-");
    else
        std::snprintf(text, sizeof text, "%d", value);
    draw_text(color, text, x, y, false);
}

}  // namespace

std::vector<scoreboard_row> sorted_scoreboard(std::vector<scoreboard_row> rows)
{
    std::sort(rows.begin(), rows.end(), [](const scoreboard_row& a, const scoreboard_row& b) {
        if (a.kills != b.kills)
            return a.kills > b.kills;
        if (a.deaths != b.deaths)
            return a.deaths < b.deaths;
        return a.slot < b.slot;
    });
    return rows;
}

std::string fighter_name(int slot, const std::vector<std::string>& human_names)
{
    const int humans = static_cast<int>(human_names.size());
    return slot < humans ? human_names[static_cast<std::size_t>(slot)] : bot_name(slot - humans + 1);
}

std::vector<scoreboard_row> scoreboard_rows(const std::vector<std::string>& human_names,
                                            const std::vector<fighter_score>& scores, const std::vector<int>& pings)
{
    std::vector<scoreboard_row> rows;
    for (int slot = 0; slot < max_players; slot++) {
        const cplayer& fighter = players[slot];
        if (!fighter.get_active())
            continue;  // a slot the match never filled
        const std::size_t at = static_cast<std::size_t>(slot);
        scoreboard_row row;
        row.slot = slot;
        row.name = fighter_name(slot, human_names);
        const fighter_score score = at < scores.size() ? scores[at] : fighter_score{};
        row.kills = score.kills;
        row.deaths = score.deaths;
        row.ping_ms = at < pings.size() ? pings[at] : -1;
        row.shirt = fighter.get_color(0);
        rows.push_back(row);
    }
    return sorted_scoreboard(rows);
}

void draw_scoreboard(const std::vector<scoreboard_row>& rows, int local_slot, bool with_ping)
{
    const int left = (logical_width - table_width) / 2;
    const int height = row_height * (static_cast<int>(rows.size()) + 1) + 20;
    al_draw_filled_rectangle(left, top, left + table_width, top + height, al_map_rgba(0, 0, 0, 190));
    const ALLEGRO_COLOR white = al_map_rgb(255, 255, 255);
    int y = top + 10;
    draw_text(white, "NAME", left + name_x, y, false);
    draw_text(white, "KILLS", left + kills_x, y, false);
    draw_text(white, "DEATHS", left + deaths_x, y, false);
    if (with_ping)
        draw_text(white, "PING", left + ping_x, y, false);
    for (const scoreboard_row& row : rows) {
        y += row_height;
        if (dark_cloth(row.shirt))
            al_draw_filled_rectangle(left + 40, y - 6, left + table_width - 20, y + row_height - 10,
                                     light_backing());
        if (row.slot == local_slot)
            draw_text(white, ">", left + 16, y, false);
        draw_text(row.shirt, row.name.c_str(), left + name_x, y, false);
        draw_number(row.shirt, row.kills, left + kills_x, y);
        draw_number(row.shirt, row.deaths, left + deaths_x, y);
        if (with_ping)
            draw_number(row.shirt, row.ping_ms, left + ping_x, y);
    }
}
