// Finding room in a pool: free slots from index 0, fewer objects when full.
#include <gtest/gtest.h>

#include "match/pools.h"

namespace {

struct effect {
    float life = 0;
    int started_as = -1;
    bool active() const { return life > 0; }
};

struct chunk {
    bool live = false;
    bool get_active() const { return live; }
};

TEST(Pools, StartsInTheFreeSlotsFromTheFirst)
{
    effect pool[6];
    pool[0].life = 1;
    pool[2].life = 1;
    int started = start_in_free_slots(pool, 3, [](effect& e, int k) {
        e.life = 1;
        e.started_as = k;
    });
    EXPECT_EQ(started, 3);
    EXPECT_EQ(pool[1].started_as, 0);
    EXPECT_EQ(pool[3].started_as, 1);
    EXPECT_EQ(pool[4].started_as, 2);
    EXPECT_EQ(pool[5].started_as, -1);

    EXPECT_EQ(start_in_free_slots(pool, 5, [](effect& e, int) { e.life = 1; }), 1)
        << "a full pool yields fewer";
    EXPECT_EQ(first_free(pool), nullptr);
}

TEST(Pools, FlagsCalledGetActiveCountToo)
{
    chunk pool[3];
    pool[0].live = true;
    EXPECT_EQ(first_free(pool), &pool[1]);
}

}  // namespace
