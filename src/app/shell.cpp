#include "app/shell.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include <allegro5/allegro_acodec.h>
#include <allegro5/allegro_audio.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>

#include "app/assets.h"
#include "app/input.h"
#include "app/renderer.h"
#include "app/sound.h"
#include "app/window_manager.h"
#include "frontend/cmenu.h"
#include "frontend/coptions.h"
#include "match/match_shape.h"

namespace {

// The library release the game was written against: 5.2.4, release 1.
const int requested_version = (5 << 24) | (2 << 16) | (4 << 8) | 1;

const int sample_voices = 16;
const int window_width = 960;
const int window_height = 540;

bool fail(const char* why)
{
    std::fprintf(stderr, "ZK3: %s\n", why);
    return false;
}

// Each step only when the one before worked: Debian's library aborts on a
// reserve without an installed audio system.
bool start_audio()
{
    return al_install_audio() && al_init_acodec_addon() && al_reserve_samples(sample_voices);
}

// A full-screen window made at the monitor's size takes the desktop's size
// even where no window manager would resize it.
void fullscreen_size(int* width, int* height)
{
    ALLEGRO_MONITOR_INFO info;
    *width = window_width;
    *height = window_height;
    if (al_get_num_video_adapters() > 0 && al_get_monitor_info(0, &info)) {
        *width = info.x2 - info.x1;
        *height = info.y2 - info.y1;
    }
}

// Asks for the full-screen display. With no window manager nothing honours
// the request, and the library would wait a whole second for the resize it
// expects: a frameless window over the monitor is the same picture at once.
void ask_for_fullscreen(int* width, int* height)
{
    fullscreen_size(width, height);
    if (window_manager_running()) {
        al_set_new_display_flags(ALLEGRO_FULLSCREEN_WINDOW);
        return;
    }
    al_set_new_display_flags(ALLEGRO_WINDOWED | ALLEGRO_FRAMELESS);
    ALLEGRO_MONITOR_INFO info;
    if (al_get_num_video_adapters() > 0 && al_get_monitor_info(0, &info))
        al_set_new_window_position(info.x1, info.y1);
}

// Multisampling drawn in software costs more than half the frame rate.
void warn_of_slow_multisampling()
{
    static bool warned = false;
    if (warned || al_get_display_option(display, ALLEGRO_SAMPLE_BUFFERS) == 0)
        return;
    const std::string name = renderer_name();
    if (!software_renderer(name))
        return;
    std::fprintf(stderr, "ZK3: the display is drawn in software (%s) with multisampling, which is slow; "
                         "start the game with --no-multisampling for a faster one\n", name.c_str());
    warned = true;
}

}  // namespace

bool init()
{
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    if (!al_install_system(requested_version, atexit))
        return fail("cannot start the Allegro library");
    al_init_image_addon();
    al_init_primitives_addon();
    al_install_keyboard();
    al_install_mouse();
    start_press_memory();

    queue = al_create_event_queue();
    timer = al_create_timer(1.0 / ticks_a_second);
    if (!queue || !timer)
        return fail("cannot create the event queue or the timer");
    al_start_timer(timer);
    al_register_event_source(queue, al_get_timer_event_source(timer));

    // The sound system starts, and the files are read, while the display is
    // being made. Last, so that no other start-up step runs beside it.
    al_set_new_bitmap_flags(al_get_new_bitmap_flags() | ALLEGRO_MIN_LINEAR | ALLEGRO_MAG_LINEAR);
    start_loading_data([] {
        audio_works = start_audio();
        if (!audio_works)
            std::fprintf(stderr, "ZK3: no sound device found; playing without sound\n");
    });
    return true;
}

bool graphics()
{
    if (multisampling) {
        al_set_new_display_option(ALLEGRO_SAMPLE_BUFFERS, 1, ALLEGRO_SUGGEST);
        al_set_new_display_option(ALLEGRO_SAMPLES, 8, ALLEGRO_SUGGEST);
    } else {
        al_set_new_display_option(ALLEGRO_SAMPLE_BUFFERS, 0, ALLEGRO_REQUIRE);
        al_set_new_display_option(ALLEGRO_SAMPLES, 0, ALLEGRO_SUGGEST);
    }
    const bool first_display = menu.get_choice() == mode_start;
    if (!first_display) {
        unload_data();
        al_destroy_display(display);
        display = nullptr;
        start_loading_data(nullptr);
    }

    int width = window_width;
    int height = window_height;
    // The first display takes the mode kept from the last run.
    const bool windowed = menu.get_choice() == mode_windowed_display ||
                          (menu.get_choice() == mode_start && !options.get_display_fullscreen());
    if (windowed)
        al_set_new_display_flags(ALLEGRO_WINDOWED);
    else
        ask_for_fullscreen(&width, &height);
    display = al_create_display(width, height);
    al_set_new_window_position(INT_MAX, INT_MAX);  // a later window goes where the system puts it
    if (!display)
        return fail("cannot open a display (is an X server running and DISPLAY set?)");
    // A button held over the old window would stay down for good; the first
    // window has no old one, and its devices were installed just now.
    if (!first_display)
        reset_input();

    if (al_get_display_option(display, ALLEGRO_SAMPLE_BUFFERS) > 0)
        options.set_antialiasing(al_get_display_option(display, ALLEGRO_SAMPLES));
    warn_of_slow_multisampling();
    al_set_window_title(display, "ZK3");
    // Only so that a close request can end the program; input is polled.
    al_register_event_source(queue, al_get_display_event_source(display));

    al_identity_transform(&transform);
    al_scale_transform(&transform, coptions::scale_x(), coptions::scale_y());
    al_use_transform(&transform);
    return load_data();
}

void deinit()
{
    stop_press_memory();
    if (display)
        al_destroy_display(display);
    display = nullptr;
    if (queue)
        al_destroy_event_queue(queue);
    queue = nullptr;
    if (timer)
        al_destroy_timer(timer);
    timer = nullptr;
}

void show_frame()
{
    if (al_get_current_display())
        al_flip_display();
}
