// Shared by the effect tests: a one-colour picture standing in for an asset
// while a test runs, and a check of one drawn pixel.
#pragma once

#include <cmath>

#include <allegro5/allegro.h>

class stand_in_picture {
public:
    stand_in_picture(ALLEGRO_BITMAP*& handle, int width, int height, ALLEGRO_COLOR colour)
        : slot(handle), saved(handle)
    {
        slot = al_create_bitmap(width, height);
        al_set_target_bitmap(slot);
        al_clear_to_color(colour);
    }
    ~stand_in_picture()
    {
        al_destroy_bitmap(slot);
        slot = saved;
    }

private:
    ALLEGRO_BITMAP*& slot;
    ALLEGRO_BITMAP* saved;
};

// Pixel (x, y) has the colour (r, g, b), give or take rounding to 8 bits.
inline bool pixel_is(ALLEGRO_BITMAP* screen, int x, int y, float r, float g, float b)
{
    ALLEGRO_COLOR c = al_get_pixel(screen, x, y);
    return std::fabs(c.r - r) < 0.01f && std::fabs(c.g - g) < 0.01f && std::fabs(c.b - b) < 0.01f;
}
