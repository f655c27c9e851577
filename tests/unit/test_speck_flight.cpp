// A speck in free flight skips the unit-by-unit walk, and blood drops fly
// four at a time; both must end every tick exactly where the walk would, so
// random specks in a small room are flown both ways and compared bit for bit.
#include <cstdlib>
#include <cstring>

#include "effects/cblood.h"
#include "effects/walk.h"
#include "room_test.h"

namespace {

using SpeckFlight = RoomTest;

struct speck {
    float x, y, vx, vy;
};

float random_between(float low, float high)
{
    return low + (high - low) * static_cast<float>(std::rand() % 10001) / 10000.0f;
}

// Anywhere in or around the room, at rest, creeping or fast.
speck random_speck()
{
    const float fastest = std::rand() % 4 == 0 ? 12.0f : 2.0f;
    speck body{random_between(-10, 210), random_between(-10, 170), random_between(-fastest, fastest),
               random_between(-fastest, fastest)};
    if (std::rand() % 8 == 0)
        body.vx = body.vy = 0;
    return body;
}

bool same_bits(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST_F(SpeckFlight, TakesTheWalksEveryTick)
{
    const speck_shape shapes[] = {{3, 2}, {2, 2}};
    const float time_factors[] = {1, 0.5f, 0.1f};
    std::srand(7);
    for (int i = 0; i < 20000; i++) {
        const speck start = random_speck();
        const speck_shape shape = shapes[i % 2];
        const float s = time_factors[i % 3];
        speck walked = start, flown = start;
        const bool walked_on = walk_speck(walked.x, walked.y, walked.vx, walked.vy, s, shape);
        const bool flown_on = move_speck(flown.x, flown.y, flown.vx, flown.vy, s, shape);
        ASSERT_EQ(walked_on, flown_on) << "speck " << i;
        if (!walked_on)
            continue;
        ASSERT_TRUE(same_bits(walked.x, flown.x) && same_bits(walked.y, flown.y) &&
                    same_bits(walked.vx, flown.vx) && same_bits(walked.vy, flown.vy))
            << "speck " << i << " from (" << start.x << ", " << start.y << ") at (" << start.vx << ", "
            << start.vy << ")";
    }
}

TEST_F(SpeckFlight, BloodFliesAsTheWalk)
{
    const speck_shape drop_shape = {3, 2};
    std::srand(11);
    for (bool slow : {false, true}) {
        set_slow(slow);
        blood.reset();
        const int drops = 999;  // not a multiple of four
        speck walked[drops];
        bool flying[drops];
        for (int drop = 0; drop < drops; drop++) {
            flying[drop] = true;
            walked[drop] = random_speck();
            ASSERT_TRUE(blood.init(walked[drop].x, walked[drop].y));
            blood.set_motion(drop, walked[drop].vx, walked[drop].vy);
        }
        for (int tick = 0; tick < 30; tick++) {
            blood.update();
            for (int drop = 0; drop < drops; drop++) {
                speck& body = walked[drop];
                if (!flying[drop])
                    continue;
                flying[drop] = walk_speck(body.x, body.y, body.vx, body.vy, game.slow(), drop_shape);
                ASSERT_EQ(flying[drop], blood.get_life(drop) > 0) << "drop " << drop << " at tick " << tick;
                if (!flying[drop])
                    continue;
                ASSERT_TRUE(same_bits(body.x, blood.get_x(drop)) && same_bits(body.y, blood.get_y(drop)) &&
                            same_bits(body.vx, blood.get_vx(drop)) && same_bits(body.vy, blood.get_vy(drop)))
                    << "drop " << drop << " at tick " << tick << (slow ? " in slow motion" : "");
            }
        }
    }
}

}  // namespace
