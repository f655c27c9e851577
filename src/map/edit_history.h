// The editor's undo history: one step per press-drag-release of a mouse
// button, each the list of cells it changed with their codes before and
// after. Undone steps can be redone until a new stroke replaces them.
#pragma once

#include <cstddef>
#include <vector>

class edit_history {
public:
    static constexpr std::size_t most_steps = 500;

    struct cell_change {
        int column, row, before, after;
    };
    using step = std::vector<cell_change>;

    // Forgets everything; the cells as they are now are the saved ones.
    void clear();

    // A stroke collects the changes of one press-drag-release.
    void begin_stroke();
    // Notes a cell's change during the open stroke (nothing if none is open).
    void record(int column, int row, int before, int after);
    // Closes the open stroke; one that changed nothing is dropped.
    void end_stroke();
    bool stroke_open() const { return open; }

    // The step to take back or to take again, or nullptr when there is none.
    // undo() returns the changes to reverse, latest first, and redo() the
    // changes to apply again; either moves along the history.
    const step* undo();
    const step* redo();
    bool can_undo() const { return position > 0; }
    bool can_redo() const { return position < steps.size(); }

    // The cells now are those on disk.
    void mark_saved() { saved = static_cast<long>(position); }
    // Whether the cells differ from the last saved ones by undone or redone steps.
    bool at_saved() const { return saved == static_cast<long>(position); }

private:
    std::vector<step> steps;
    std::size_t position = 0;  // steps applied
    long saved = 0;            // position of the saved cells; -1 once unreachable
    step stroke;
    bool open = false;
};
