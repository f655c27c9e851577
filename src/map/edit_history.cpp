#include "map/edit_history.h"

void edit_history::clear()
{
    steps.clear();
    position = 0;
    saved = 0;
    stroke.clear();
    open = false;
}

void edit_history::begin_stroke()
{
    stroke.clear();
    open = true;
}

void edit_history::record(int column, int row, int before, int after)
{
    if (!open)
        return;
    // A cell changed twice in one stroke keeps its first "before".
    for (cell_change& change : stroke)
        if (change.column == column && change.row == row) {
            change.after = after;
            return;
        }
    stroke.push_back({column, row, before, after});
}

void edit_history::end_stroke()
{
    if (!open)
        return;
    open = false;
    step kept;
    for (const cell_change& change : stroke)
        if (change.before != change.after)
            kept.push_back(change);
    if (kept.empty())
        return;
    // A new stroke after undoing drops the undone steps, and with them the
    // saved cells if they were among them.
    steps.resize(position);
    if (saved > static_cast<long>(position))
        saved = -1;
    steps.push_back(std::move(kept));
    position++;
    if (steps.size() > most_steps) {
        steps.erase(steps.begin());
        position--;
        saved = saved > 0 ? saved - 1 : -1;
    }
}

const edit_history::step* edit_history::undo()
{
    if (!can_undo())
        return nullptr;
    return &steps[--position];
}

const edit_history::step* edit_history::redo()
{
    if (!can_redo())
        return nullptr;
    return &steps[position++];
}
