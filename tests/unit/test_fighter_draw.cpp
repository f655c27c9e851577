// The paper doll drawn into a memory bitmap with plain coloured stand-in
// pictures, so that each part can be found by its colour.
#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include <allegro5/allegro.h>

#include "app/assets.h"
#include "map/cmap.h"
#include "test_fighter.h"

namespace {

// A screen position, printed readably by the test framework.
using point = std::pair<int, int>;

const point nowhere = {-1, -1};

const ALLEGRO_COLOR white = al_map_rgb(255, 255, 255);
const ALLEGRO_COLOR head_colour = al_map_rgb(0, 255, 0);
const ALLEGRO_COLOR standing_shoes = al_map_rgb(255, 255, 0);
const ALLEGRO_COLOR walking_shoes = al_map_rgb(0, 255, 255);
const ALLEGRO_COLOR pistol_hand = al_map_rgb(255, 0, 255);
const ALLEGRO_COLOR rear_hand = al_map_rgb(255, 128, 0);
const ALLEGRO_COLOR front_hand = al_map_rgb(128, 0, 255);

class FighterDraw : public FighterTest {
protected:
    void SetUp() override
    {
        FighterTest::SetUp();
        for (ALLEGRO_BITMAP** slot : doll_pictures())
            saved.push_back(*slot);
        ALLEGRO_BITMAP* nothing = square(1, al_map_rgba(0, 0, 0, 0));
        for (int i = 0; i < 9; i++) {
            blegs[i] = square(4, white);  // tinted with the pants colour
            bshoes[i] = square(4, i == 0 ? standing_shoes : walking_shoes);
        }
        for (int i = 0; i < 3; i++) {
            bhead[i] = square(4, head_colour);
            barms[i] = nothing;
        }
        bbody = square(4, white);  // tinted with the shirt colour
        bhands[0] = square(6, pistol_hand);
        bhands[1] = square(8, rear_hand);
        bhands[2] = square(4, front_hand);
        bpistol = bmachine_gun = nothing;

        read_arena({"S.", "..", "##"});
        screen = al_create_bitmap(400, 300);
        ASSERT_NE(screen, nullptr);
    }

    void TearDown() override
    {
        al_set_target_bitmap(nullptr);
        al_destroy_bitmap(screen);
        for (ALLEGRO_BITMAP* bitmap : made)
            al_destroy_bitmap(bitmap);
        std::vector<ALLEGRO_BITMAP**> slots = doll_pictures();
        for (size_t i = 0; i < slots.size(); i++)
            *slots[i] = saved[i];
        FighterTest::TearDown();
    }

    static std::vector<ALLEGRO_BITMAP**> doll_pictures()
    {
        std::vector<ALLEGRO_BITMAP**> slots = {&bbody, &bpistol, &bmachine_gun};
        for (int i = 0; i < 9; i++)
            slots.insert(slots.end(), {&blegs[i], &bshoes[i]});
        for (int i = 0; i < 3; i++)
            slots.insert(slots.end(), {&bhead[i], &bhands[i], &barms[i]});
        return slots;
    }

    ALLEGRO_BITMAP* square(int size, ALLEGRO_COLOR colour)
    {
        ALLEGRO_BITMAP* bitmap = al_create_bitmap(size, size);
        al_set_target_bitmap(bitmap);
        al_clear_to_color(colour);
        made.push_back(bitmap);
        return bitmap;
    }

    // The human at (300.7, 200.2) under a view at (100, 50), alive.
    cplayer& fighter_in_view()
    {
        cplayer& human = enter(0);
        human.place(300.7f, 200.2f);
        map.set_screen(100, 50);
        return human;
    }

    void draw(cplayer& fighter)
    {
        al_set_target_bitmap(screen);
        al_clear_to_color(al_map_rgb(0, 0, 0));
        fighter.draw();
    }

    // The top-left corner of the pixels of a colour, or nowhere.
    point find(ALLEGRO_COLOR colour) const
    {
        unsigned char r, g, b;
        al_unmap_rgb(colour, &r, &g, &b);
        point found = nowhere;
        for (int y = 0; y < al_get_bitmap_height(screen); y++) {
            for (int x = 0; x < al_get_bitmap_width(screen); x++) {
                unsigned char pr, pg, pb;
                al_unmap_rgb(al_get_pixel(screen, x, y), &pr, &pg, &pb);
                if (std::abs(pr - r) > 2 || std::abs(pg - g) > 2 || std::abs(pb - b) > 2)
                    continue;
                found.first = found.first < 0 ? x : std::min(found.first, x);
                found.second = found.second < 0 ? y : found.second;
            }
        }
        return found;
    }

    ALLEGRO_BITMAP* screen = nullptr;

private:
    std::vector<ALLEGRO_BITMAP*> made;
    std::vector<ALLEGRO_BITMAP*> saved;
};

TEST_F(FighterDraw, DollPartsSnapToWholeUnitsInBothFacings)
{
    cplayer& human = fighter_in_view();
    const ALLEGRO_COLOR shirt = human.get_color(0);
    const ALLEGRO_COLOR pants = human.get_color(1);

    human.aim(100, 0, 0);
    draw(human);
    EXPECT_EQ(find(head_colour), point(214, 150));
    EXPECT_EQ(find(shirt), point(207, 165));
    EXPECT_EQ(find(pants), point(185, 190));
    EXPECT_EQ(find(standing_shoes), point(185, 186));

    human.aim(-100, 0, 0);
    draw(human);
    EXPECT_EQ(find(head_colour), point(211, 150));
    EXPECT_EQ(find(shirt), point(207, 165));
    EXPECT_EQ(find(pants), point(188, 190));
    EXPECT_EQ(find(standing_shoes), point(188, 186));

    // The first forward step shows leg picture 1.
    human.aim(100, 0, 0);
    human.move_right();
    human.animation();
    draw(human);
    EXPECT_EQ(find(standing_shoes), nowhere);
    EXPECT_EQ(find(walking_shoes), point(185, 186));
}

TEST_F(FighterDraw, APistolTakesOneHandALongGunTwo)
{
    cplayer& human = fighter_in_view();
    human.aim(100, 0, 0);
    draw(human);
    // Turned a little about (3, 5), placed at the shoulder (219, 172).
    const point hand = find(pistol_hand);
    EXPECT_NEAR(hand.first, 216, 1);
    EXPECT_NEAR(hand.second, 167, 1);
    EXPECT_EQ(find(rear_hand), nowhere);
    EXPECT_EQ(find(front_hand), nowhere);

    human.give_weapon(2);
    human.aim(100, 0, 0);
    draw(human);
    EXPECT_EQ(find(pistol_hand), nowhere);
    EXPECT_NE(find(rear_hand), nowhere);
    EXPECT_NE(find(front_hand), nowhere);
}

}  // namespace
