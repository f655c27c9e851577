#include "app/assets.h"

#include <cstdio>
#include <thread>

#include "app/atlas.h"
#include "app/sound.h"

ALLEGRO_BITMAP* barms[3];
ALLEGRO_BITMAP* bblood;
ALLEGRO_BITMAP* bbody;
ALLEGRO_BITMAP* bcrosshair;
ALLEGRO_BITMAP* beditor;
ALLEGRO_BITMAP* bfire;
ALLEGRO_BITMAP* bflesh;
ALLEGRO_BITMAP* bfont[2];
ALLEGRO_BITMAP* bgrenade;
ALLEGRO_BITMAP* bgrenade_icon;
ALLEGRO_BITMAP* bhands[3];
ALLEGRO_BITMAP* bhead[3];
ALLEGRO_BITMAP* bhud[4];
ALLEGRO_BITMAP* blegs[9];
ALLEGRO_BITMAP* bmachine_gun;
ALLEGRO_BITMAP* bmenu[8];
ALLEGRO_BITMAP* bminigun[3];
ALLEGRO_BITMAP* boptions[3];
ALLEGRO_BITMAP* bparticle;
ALLEGRO_BITMAP* bpistol;
ALLEGRO_BITMAP* bshell[2];
ALLEGRO_BITMAP* bshoes[9];
ALLEGRO_BITMAP* bshotgun;
ALLEGRO_BITMAP* bskull;
ALLEGRO_BITMAP* bsphere;
ALLEGRO_BITMAP* bwaypoints[16];
ALLEGRO_BITMAP* bweapons;

ALLEGRO_SAMPLE* sblood[2];
ALLEGRO_SAMPLE* sexplosion[2];
ALLEGRO_SAMPLE* smachine_gun[2];
ALLEGRO_SAMPLE* sminigun[2];
ALLEGRO_SAMPLE* sshell[4];
ALLEGRO_SAMPLE* sshotgun[2];
ALLEGRO_SAMPLE* spistol[2];

namespace {

// A run of pictures: `count` handles from `first`, read from "png/<name>.png"
// when count is 1, else from "png/<name>_1.png" onwards.
struct picture_run {
    ALLEGRO_BITMAP** first;
    int count;
    const char* name;
};

const picture_run pictures[] = {
    {barms, 3, "arms"},
    {&bblood, 1, "blood"},
    {&bbody, 1, "body"},
    {&bcrosshair, 1, "crosshair"},
    {&beditor, 1, "editor"},
    {&bfire, 1, "fire"},
    {&bflesh, 1, "flesh"},
    {&bfont[0], 1, "font20"},
    {&bfont[1], 1, "font30"},
    {&bgrenade, 1, "grenade"},
    {&bgrenade_icon, 1, "grenade_icon"},
    {bhands, 3, "hands"},
    {bhead, 3, "head"},
    {bhud, 4, "hud"},
    {blegs, 9, "legs"},
    {&bmachine_gun, 1, "machine_gun"},
    {bmenu, 8, "menu"},
    {bminigun, 3, "minigun"},
    {boptions, 3, "options"},
    {&bparticle, 1, "particle"},
    {&bpistol, 1, "pistol"},
    {bshell, 2, "shell"},
    {bshoes, 9, "shoes"},
    {&bshotgun, 1, "shotgun"},
    {&bskull, 1, "skull"},
    {&bsphere, 1, "sphere"},
    {bwaypoints, 16, "waypoint"},
    {&bweapons, 1, "weapons"},
};

// A sound pair: "wav/<name>.wav" and its slow-motion twin "wav/<name>_sm.wav".
struct sound_pair {
    ALLEGRO_SAMPLE** pair;
    const char* name;
};

const sound_pair sounds[] = {
    {sblood, "blood"},
    {sexplosion, "explosion"},
    {smachine_gun, "machine_gun"},
    {sminigun, "minigun"},
    {&sshell[0], "shell_1"},
    {&sshell[2], "shell_2"},
    {sshotgun, "shotgun"},
    {spistol, "pistol"},
};

std::string picture_path(const picture_run& run, int index)
{
    std::string path = std::string("png/") + run.name;
    if (run.count > 1)
        path += "_" + std::to_string(index + 1);
    return path + ".png";
}

std::string sound_path(const sound_pair& pair, int variant)
{
    return std::string("wav/") + pair.name + (variant ? "_sm" : "") + ".wav";
}

bool report_missing(const std::string& path)
{
    std::fprintf(stderr, "ZK3: cannot load %s (run the build to generate the game's files)\n",
                 path.c_str());
    return false;
}

// The texture the pictures share while there is a display, or null.
ALLEGRO_BITMAP* atlas;

// Each read returns the path of the first file it could not read, or "".
std::string read_pictures()
{
    for (const picture_run& run : pictures) {
        for (int i = 0; i < run.count; i++) {
            std::string path = picture_path(run, i);
            run.first[i] = al_load_bitmap(path.c_str());
            if (!run.first[i])
                return path;
        }
    }
    return "";
}

std::string read_sounds()
{
    for (const sound_pair& pair : sounds) {
        for (int variant = 0; variant < 2; variant++) {
            std::string path = sound_path(pair, variant);
            // Without audio no sample may be made, but a missing file still counts.
            if (!audio_works) {
                if (!al_filename_exists(path.c_str()))
                    return path;
                continue;
            }
            pair.pair[variant] = al_load_sample(path.c_str());
            if (!pair.pair[variant])
                return path;
        }
    }
    return "";
}

std::string read_files()
{
    std::string missing = read_pictures();
    return missing.empty() ? read_sounds() : missing;
}

// The reading start_loading_data began in another thread, and what it found missing.
std::thread reader;
std::string reader_missing;

void wait_for_reader()
{
    if (reader.joinable())
        reader.join();
}

// Moves the pictures, read into memory, onto the display: all in one texture
// but the blood's, whose triangles address their own texture's pixels.
void share_one_texture()
{
    std::vector<ALLEGRO_BITMAP**> packed;
    for (const picture_run& run : pictures)
        for (int i = 0; i < run.count; i++)
            if (&run.first[i] != &bblood)
                packed.push_back(&run.first[i]);
    atlas = pack_atlas(packed.data(), static_cast<int>(packed.size()),
                       al_get_display_option(al_get_current_display(), ALLEGRO_MAX_BITMAP_SIZE));
    for (const picture_run& run : pictures)
        for (int i = 0; i < run.count; i++)
            if (al_get_bitmap_flags(run.first[i]) & ALLEGRO_MEMORY_BITMAP)
                al_convert_bitmap(run.first[i]);
}

}  // namespace

void start_loading_data(std::function<void()> prepare)
{
    wait_for_reader();
    // The new-bitmap settings belong to each thread: the reader takes this
    // one's, but for the library's own conversion, which a display made
    // meanwhile would apply to pictures half read.
    const int flags = (al_get_new_bitmap_flags() & ~ALLEGRO_CONVERT_BITMAP) | ALLEGRO_MEMORY_BITMAP;
    reader = std::thread([prepare, flags] {
        if (prepare)
            prepare();
        al_set_new_bitmap_flags(flags);
        // The byte order the picture reader writes and the atlas copies in,
        // so that neither converts a pixel; on the display the pictures
        // take the format asked for there.
        al_set_new_bitmap_format(ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE);
        reader_missing = read_files();
    });
}

bool load_data()
{
    const bool on_display = al_get_current_display() != nullptr;
    std::string missing;
    if (reader.joinable()) {
        reader.join();
        missing = reader_missing;
    } else {
        // With a display, read into memory first: one upload instead of one per picture.
        const int flags = al_get_new_bitmap_flags();
        if (on_display)
            al_set_new_bitmap_flags(flags | ALLEGRO_MEMORY_BITMAP);
        missing = read_files();
        al_set_new_bitmap_flags(flags);
    }
    if (!missing.empty())
        return report_missing(missing);
    if (on_display)
        share_one_texture();
    return true;
}

void unload_data()
{
    wait_for_reader();
    for (const picture_run& run : pictures) {
        for (int i = 0; i < run.count; i++) {
            if (run.first[i])
                al_destroy_bitmap(run.first[i]);
            run.first[i] = nullptr;
        }
    }
    if (atlas)
        al_destroy_bitmap(atlas);
    atlas = nullptr;
    for (const sound_pair& pair : sounds) {
        for (int variant = 0; variant < 2; variant++) {
            if (pair.pair[variant])
                al_destroy_sample(pair.pair[variant]);
            pair.pair[variant] = nullptr;
        }
    }
}

std::vector<std::string> picture_paths()
{
    std::vector<std::string> paths;
    for (const picture_run& run : pictures)
        for (int i = 0; i < run.count; i++)
            paths.push_back(picture_path(run, i));
    return paths;
}

std::vector<std::string> sound_paths()
{
    std::vector<std::string> paths;
    for (const sound_pair& pair : sounds)
        for (int variant = 0; variant < 2; variant++)
            paths.push_back(sound_path(pair, variant));
    return paths;
}
