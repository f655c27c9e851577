#include "replay/match_recorder.h"

#include "frontend/coptions.h"
#include "match/control.h"
#include "match/match_hash.h"
#include "match/match_snapshot.h"

void match_recorder::start(const match_setup& setup)
{
    replay = replay_data{};
    replay.setup = setup;
    recorded_human human;
    human.scale_x = coptions::scale_x();
    human.scale_y = coptions::scale_y();
    replay.humans.push_back(human);
}

void match_recorder::step_taken(const control_reading& reading)
{
    replay.humans[0].add(reading);
    replay.ticks++;
    if (replay.ticks % checkpoint_ticks == 0)
        checkpoint();
}

const replay_data& match_recorder::finish()
{
    if (replay.checkpoints.empty() || replay.checkpoints.back().tick != replay.ticks)
        checkpoint();
    return replay;
}

bool match_recorder::final_state(std::uint32_t at, match_snapshot& into, match_snapshot&) const
{
    if (at != replay.ticks)
        return false;
    into.save();
    return true;
}

void match_recorder::apply_controls(std::uint32_t at) const
{
    // From the newest run back: a death replay asks for the last few seconds.
    std::uint32_t run_start = replay.ticks;
    const auto& runs = replay.humans[0].runs;
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
        run_start -= run->ticks;
        if (at >= run_start) {
            controls[0] = run->reading;
            return;
        }
    }
}

void match_recorder::checkpoint()
{
    replay.checkpoints.push_back({replay.ticks, match_hash()});
}
