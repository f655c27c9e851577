#include "match/match_tally.h"

#include "fighters/cplayer.h"
#include "map/cmap.h"

namespace {

const float centre_x = cplayer::body_centre_x;
const float centre_y = cplayer::body_centre_y;

}  // namespace

void match_tally::start()
{
    columns = map.get_width() / cmap::cell_size;
    rows = map.get_height() / cmap::cell_size;
    fighters.assign(max_players, watched());
    for (watched& fighter : fighters)
        fighter.visited.assign(static_cast<size_t>(columns) * rows, false);
    scores.clear();
}

void match_tally::watch(const match_events& events)
{
    scores.read(events, events.get_steps());
    for (int id = 0; id < max_players; id++)
        watch_fighter(id);
}

void match_tally::watch_fighter(int id)
{
    const cplayer& fighter = players[id];
    watched& record = fighters[id];
    const bool alive = fighter.get_active() && fighter.get_health() > 0;
    record.tally.kills = scores.of(id).kills;
    record.tally.deaths = scores.of(id).deaths;
    if (!alive) {
        record.cell = -1;
        record.run = 0;
        return;
    }

    const int column = static_cast<int>(fighter.get_x() + centre_x) / cmap::cell_size;
    const int row = static_cast<int>(fighter.get_y() + centre_y) / cmap::cell_size;
    // A fighter falling out of the map is in no cell.
    const bool on_map = column >= 0 && column < columns && row >= 0 && row < rows &&
                        fighter.get_x() + centre_x >= 0 && fighter.get_y() + centre_y >= 0;
    const int cell = on_map ? row * columns + column : -1;
    if (cell != record.cell) {
        record.cell = cell;
        record.run = 0;
    }
    record.run++;
    if (cell >= 0 && record.run > record.tally.longest_in_cell)
        record.tally.longest_in_cell = record.run;
    if (cell >= 0 && !record.visited[cell]) {
        record.visited[cell] = true;
        record.tally.cells++;
    }
}
