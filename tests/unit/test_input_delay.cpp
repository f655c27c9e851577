// How far ahead a peer's own controls run and how far it guesses the
// others': the input delay settles at two ticks on a local network and one
// more for each 50 ms of round trip, up at once and down only well below a
// step, so that a trip on an edge does not make it flap; the lookahead is
// what this machine can step again in a frame.
#include <gtest/gtest.h>

#include "net/input_delay.h"
#include "net/rollback.h"

namespace {

TEST(InputDelay, SettlesAtTheTicksItsRoundTripCallsFor)
{
    const struct {
        std::uint32_t now;
        double round_trip_ms;
        std::uint32_t settled;
    } table[] = {
        {2, 0, 2},     {2, 20, 2},   {2, 49, 2},   {2, 50, 3},  {2, 115, 4}, {2, 310, 6}, {2, 5000, 6},
        {4, 115, 4},   {4, 100, 4},  {4, 86, 4},   {4, 84, 3},  {4, 10, 2},  {4, 160, 5},
        {6, 320, 6},   {6, 190, 6},  {6, 184, 5},  {3, 40, 3},  {3, 34, 2},
    };
    for (const auto& row : table)
        EXPECT_EQ(settled_input_delay(row.now, row.round_trip_ms), row.settled)
            << "from " << row.now << " at " << row.round_trip_ms << " ms";
}

// Round trips tick by tick, as the session would hand them over: where the
// delay stands after them and how often it changed on the way.
TEST(InputDelay, ChangesSeldomAndOneTickAtATimeDownward)
{
    struct leg {
        int ticks;
        double low_ms, high_ms;  // the trip swings between these, tick by tick
    };
    const struct {
        const char* what;
        std::vector<leg> legs;
        std::uint32_t ends_at;
        int most_changes;
    } table[] = {
        {"not known yet", {{300, -1, -1}}, 2, 0},
        {"a local network", {{300, 2, 18}}, 2, 0},
        {"50 ms each way", {{300, 105, 125}}, 4, 1},
        {"swinging over the edge of a step", {{1000, 92, 108}}, 4, 2},
        {"150 ms each way", {{300, 305, 325}}, 6, 1},
        {"far, then near", {{200, 305, 325}, {100, 5, 15}}, 4, 3},
        {"far, then near for long", {{200, 305, 325}, {400, 5, 15}}, 2, 5},
    };
    for (const auto& row : table) {
        input_delay_choice choice;
        std::uint32_t was = choice.ticks();
        int changes = 0;
        for (const leg& part : row.legs)
            for (int tick = 0; tick < part.ticks; tick++) {
                const std::uint32_t now = choice.next(tick % 2 ? part.low_ms : part.high_ms);
                if (now != was) {
                    EXPECT_TRUE(now > was || now == was - 1) << row.what << ": down a tick at a time";
                    changes++;
                }
                was = now;
            }
        EXPECT_EQ(choice.ticks(), row.ends_at) << row.what;
        EXPECT_LE(changes, row.most_changes) << row.what;
    }
}

TEST(InputDelay, ARoundTripIsTheMedianOfTheLastSamples)
{
    round_trip_meter meter;
    for (int i = 0; i < 15; i++)
        meter.add(100);
    EXPECT_EQ(meter.median_ms(), -1) << "too few samples to go by";
    meter.add(100);
    EXPECT_EQ(meter.median_ms(), 100);
    // A few packets held up do not move it; a trip that has changed does.
    for (int i = 0; i < 10; i++)
        meter.add(900);
    EXPECT_EQ(meter.median_ms(), 100);
    for (int i = 0; i < 64; i++)
        meter.add(20);
    EXPECT_EQ(meter.median_ms(), 20);
}

TEST(Lookahead, IsWhatTheMachineCanStepAgainInAFrame)
{
    const struct {
        double step_us;
        std::uint32_t ticks;
    } table[] = {
        {0, 40}, {50, 40}, {200, 40}, {250, 32}, {400, 20}, {999, 8}, {1000, 8}, {50000, 8},
    };
    for (const auto& row : table)
        EXPECT_EQ(rollback_match::lookahead_for(row.step_us), row.ticks) << row.step_us << " us a step";
}

}  // namespace
