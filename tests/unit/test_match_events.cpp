// The match's log of what happened: going back forgets exactly what the
// later steps brought, and what had happened by a tick is the log's start.
#include <gtest/gtest.h>

#include "match/match_events.h"

namespace {

// A match of six steps: deaths on steps 1 and 3 (two), an entry on 4 and a
// leave on 6. Takes the next step of it.
void step_on(match_events& events)
{
    const std::uint32_t step = events.get_steps() + 1;
    if (step == 1 || step == 3)
        events.death(2, 1, 0);
    if (step == 3)
        events.death(1, -1, blow_fall);
    if (step == 4)
        events.entry(1);
    if (step == 6)
        events.leave(1);
    events.step_taken();
}

TEST(MatchEvents, GoingBackKeepsWhatHadHappenedByThenAndSteppingOnBringsTheRest)
{
    const struct {
        std::uint32_t back_to;
        std::size_t kept;
        std::uint32_t steps;
    } table[] = {
        {0, 0, 0}, {1, 1, 1}, {2, 1, 2}, {3, 3, 3}, {5, 4, 5}, {6, 5, 6}, {9, 5, 6},  // never forwards
    };
    match_events straight;
    while (straight.get_steps() < 6)
        step_on(straight);
    EXPECT_EQ(straight.all()[3], (match_event{match_event::kind::entry, 4, 1, -1, blow_fall}));
    for (const auto& row : table) {
        match_events events = straight;
        EXPECT_EQ(events.count_by(row.back_to), row.kept) << "by " << row.back_to;
        events.go_back(row.back_to);
        EXPECT_EQ(events.all().size(), row.kept) << "back to " << row.back_to;
        EXPECT_EQ(events.get_steps(), row.steps) << "back to " << row.back_to;
        while (events.get_steps() < 6)
            step_on(events);
        EXPECT_TRUE(events == straight) << "back to " << row.back_to;
    }
}

}  // namespace
