#include "app/opaque_copy.h"

#include <algorithm>
#include <cmath>

#include <allegro5/allegro_opengl.h>
#include <GL/glext.h>

namespace {

// Asked through the library, so the program needs no link to OpenGL itself.
struct framebuffer_calls {
    PFNGLBINDFRAMEBUFFERPROC bind = nullptr;
    PFNGLBLITFRAMEBUFFERPROC blit = nullptr;

    framebuffer_calls()
    {
        bind = reinterpret_cast<PFNGLBINDFRAMEBUFFERPROC>(al_get_opengl_proc_address("glBindFramebuffer"));
        blit = reinterpret_cast<PFNGLBLITFRAMEBUFFERPROC>(al_get_opengl_proc_address("glBlitFramebuffer"));
    }
};

// The whole pixel offset the current transform moves by, if all it does is
// move by whole pixels.
bool whole_pixel_shift(int& shift_x, int& shift_y)
{
    const ALLEGRO_TRANSFORM* current = al_get_current_transform();
    if (!current)
        return false;
    const float (&m)[4][4] = current->m;
    const float x = m[3][0], y = m[3][1];
    const bool plain = m[0][0] == 1 && m[1][1] == 1 && m[0][1] == 0 && m[1][0] == 0;
    if (!plain || x != std::floor(x) || y != std::floor(y))
        return false;
    shift_x = static_cast<int>(x);
    shift_y = static_cast<int>(y);
    return true;
}

// The picture's framebuffer, attached first if another picture holds it.
GLuint framebuffer_of(ALLEGRO_BITMAP* picture)
{
    if (al_get_opengl_fbo(picture) == 0) {
        ALLEGRO_BITMAP* target = al_get_target_bitmap();
        al_set_target_bitmap(picture);
        al_set_target_bitmap(target);
    }
    return al_get_opengl_fbo(picture);
}

// Copies by the framebuffer blit when the target and transform allow it.
bool blit(ALLEGRO_BITMAP* picture, int sx, int sy, int width, int height, int dx, int dy)
{
    ALLEGRO_DISPLAY* display = al_get_current_display();
    if (!display || !(al_get_display_flags(display) & ALLEGRO_OPENGL) ||
        al_get_target_bitmap() != al_get_backbuffer(display) ||
        al_get_display_option(display, ALLEGRO_SAMPLE_BUFFERS) > 0 || al_get_opengl_version() < 0x03000000 ||
        (al_get_bitmap_flags(picture) & ALLEGRO_MEMORY_BITMAP) || al_is_sub_bitmap(picture))
        return false;
    static const framebuffer_calls gl;
    int shift_x = 0, shift_y = 0;
    if (!gl.bind || !gl.blit || !whole_pixel_shift(shift_x, shift_y))
        return false;
    const GLuint source = framebuffer_of(picture);
    if (source == 0)
        return false;

    // The blit knows nothing of the clipping rectangle: the region is cut to it here.
    int clip_x, clip_y, clip_width, clip_height;
    al_get_clipping_rectangle(&clip_x, &clip_y, &clip_width, &clip_height);
    int left = dx + shift_x, top = dy + shift_y;
    const int right = std::min(left + width, clip_x + clip_width);
    const int bottom = std::min(top + height, clip_y + clip_height);
    sx += std::max(0, clip_x - left);
    sy += std::max(0, clip_y - top);
    left = std::max(left, clip_x);
    top = std::max(top, clip_y);
    if (left >= right || top >= bottom)
        return true;

    // Anything held back is drawn first, to keep the order of drawing.
    const bool held = al_is_bitmap_drawing_held();
    if (held)
        al_hold_bitmap_drawing(false);
    // OpenGL counts rows from the bottom, in the picture and on the screen.
    const int rows = bottom - top, columns = right - left;
    const int picture_height = al_get_bitmap_height(picture);
    const int screen_height = al_get_bitmap_height(al_get_backbuffer(display));
    gl.bind(GL_READ_FRAMEBUFFER, source);
    gl.blit(sx, picture_height - sy - rows, sx + columns, picture_height - sy, left,
                screen_height - top - rows, right, screen_height - top, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    gl.bind(GL_READ_FRAMEBUFFER, 0);
    if (held)
        al_hold_bitmap_drawing(true);
    return true;
}

}  // namespace

void copy_opaque_region(ALLEGRO_BITMAP* picture, int sx, int sy, int width, int height, int dx, int dy)
{
    if (width <= 0 || height <= 0 || blit(picture, sx, sy, width, height, dx, dy))
        return;
    ALLEGRO_STATE state;
    al_store_state(&state, ALLEGRO_STATE_BLENDER);
    al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_ZERO);
    al_draw_bitmap_region(picture, static_cast<float>(sx), static_cast<float>(sy), static_cast<float>(width),
                          static_cast<float>(height), static_cast<float>(dx), static_cast<float>(dy), 0);
    al_restore_state(&state);
}
