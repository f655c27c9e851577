#include "netplay/lobby_choices.h"

#include <algorithm>
#include <iterator>

#include "app/input.h"
#include "app/pointer.h"
#include "app/shell.h"
#include "app/text.h"
#include "map/cmap.h"

namespace {

const int left_x = 110;
const int right_x = 640;  // the right arrow's left edge
const int arrow_width = 40;
const int first_row_y = 320;
const int row_spacing = 110;
const int value_drop = 34;  // the value's line below its label
const int value_height = 44;
enum row_of { map_row, bots_row, score_row, time_row };
const char* const labels[lobby_choices::rows] = {"MAP", "BOTS", "SCORE LIMIT", "TIME LIMIT"};
const int most_bots = 10;

// The steps, with `taken` among them in order.
std::vector<int> steps_with(const int* first, const int* last, int taken)
{
    std::vector<int> steps(first, last);
    if (std::find(steps.begin(), steps.end(), taken) == steps.end())
        steps.insert(std::upper_bound(steps.begin(), steps.end(), taken), taken);
    return steps;
}

int index_of(const std::vector<int>& steps, int value)
{
    return static_cast<int>(std::find(steps.begin(), steps.end(), value) - steps.begin());
}

int row_y(int row)
{
    return first_row_y + row_spacing * row;
}

}  // namespace

void lobby_choices::init(int new_level, int new_bots, const match_rules& rules)
{
    level = new_level;
    bots = new_bots;
    scores = steps_with(std::begin(score_limit_choices), std::end(score_limit_choices), rules.score_limit);
    times = steps_with(std::begin(time_limit_choices), std::end(time_limit_choices), rules.time_limit);
    score_at = index_of(scores, rules.score_limit);
    time_at = index_of(times, rules.time_limit);
    selected = 0;
    for (press_latch* latch : {&up_key, &down_key, &left_key, &right_key, &click})
        latch->hold();
}

match_rules lobby_choices::get_rules() const
{
    match_rules rules;
    rules.score_limit = scores[static_cast<std::size_t>(score_at)];
    rules.time_limit = times[static_cast<std::size_t>(time_at)];
    return rules;
}

std::string lobby_choices::shown(int row) const
{
    if (row == map_row) {
        char name[cmap::max_name_length + 1];
        map.get_name(level, name, true);
        return name;
    }
    if (row == bots_row)
        return std::to_string(bots);
    const match_rules rules = get_rules();
    const int value = row == score_row ? rules.score_limit : rules.time_limit;
    if (value == 0)
        return "NONE";
    return std::to_string(value) + (row == score_row ? (value == 1 ? " KILL" : " KILLS") : " MIN");
}

void lobby_choices::change(int row, int by)
{
    auto step = [by](int& at, int count) { at = std::clamp(at + by, 0, count - 1); };
    switch (row) {
    case map_row: step(level, map.get_nm()); break;
    case bots_row: step(bots, most_bots + 1); break;
    case score_row: step(score_at, static_cast<int>(scores.size())); break;
    default: step(time_at, static_cast<int>(times.size())); break;
    }
}

bool lobby_choices::update()
{
    const match_rules rules_before = get_rules();
    const int level_before = level, bots_before = bots;
    if (up_key.pressed(al_key_down(&keyboard, ALLEGRO_KEY_UP)))
        selected = std::max(0, selected - 1);
    if (down_key.pressed(al_key_down(&keyboard, ALLEGRO_KEY_DOWN)))
        selected = std::min(rows - 1, selected + 1);
    if (left_key.pressed(al_key_down(&keyboard, ALLEGRO_KEY_LEFT)))
        change(selected, -1);
    if (right_key.pressed(al_key_down(&keyboard, ALLEGRO_KEY_RIGHT)))
        change(selected, 1);
    if (click.pressed(mouse.buttons & 1)) {
        const float x = pointer_x(), y = pointer_y();
        for (int row = 0; row < rows; row++) {
            const int top = row_y(row) + value_drop;
            if (y < top || y >= top + value_height)
                continue;
            selected = row;
            if (x >= left_x && x < left_x + arrow_width)
                change(row, -1);
            else if (x >= right_x && x < right_x + arrow_width)
                change(row, 1);
        }
    }
    return level != level_before || bots != bots_before || !(get_rules() == rules_before);
}

void lobby_choices::draw() const
{
    const ALLEGRO_COLOR white = al_map_rgb(255, 255, 255);
    const ALLEGRO_COLOR yellow = al_map_rgb(255, 220, 64);
    const int middle = (left_x + right_x + arrow_width) / 2;
    for (int row = 0; row < rows; row++) {
        const ALLEGRO_COLOR colour = row == selected ? yellow : white;
        const int y = row_y(row);
        draw_text(colour, labels[row], left_x, y, false);
        draw_text(colour, "<", left_x, y + value_drop, true);
        draw_text(colour, ">", right_x, y + value_drop, true);
        const std::string value = shown(row);
        const int width = text_width(static_cast<int>(value.size()), true);
        draw_text(white, value.c_str(), middle - width / 2, y + value_drop, true);
    }
}
