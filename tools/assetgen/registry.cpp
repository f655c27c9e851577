#include "registry.h"

#include <cstdio>
#include <vector>

#include "canvas.h"

namespace {

struct picture_entry {
    std::string path;
    int width, height;
    picture_painter paint;
};

struct sound_entry {
    std::string path;
    sound_maker make;
};

std::vector<picture_entry> pictures;
std::vector<sound_entry> sounds;

const picture_entry* find_picture(const std::string& path)
{
    for (const picture_entry& entry : pictures)
        if (entry.path == path)
            return &entry;
    return nullptr;
}

bool fail(const std::string& what, const std::string& path)
{
    std::fprintf(stderr, "zk3_assetgen: cannot %s %s\n", what.c_str(), path.c_str());
    return false;
}

}  // namespace

void add_picture(const std::string& path, int width, int height, picture_painter painter)
{
    pictures.push_back({path, width, height, std::move(painter)});
}

void add_sound(const std::string& path, sound_maker maker) { sounds.push_back({path, std::move(maker)}); }

ALLEGRO_BITMAP* paint_picture(const std::string& path)
{
    const picture_entry* entry = find_picture(path);
    if (!entry || !entry->paint)
        return nullptr;
    ALLEGRO_BITMAP* previous = al_get_target_bitmap();
    ALLEGRO_BITMAP* canvas = new_canvas(entry->width, entry->height);
    if (canvas)
        entry->paint();
    al_set_target_bitmap(previous);
    return canvas;
}

bool write_all(const std::string& game_dir)
{
    for (const picture_entry& entry : pictures) {
        ALLEGRO_BITMAP* canvas = paint_picture(entry.path);
        if (!canvas)
            return fail("draw", entry.path);
        bool saved = save_canvas(canvas, game_dir + "/" + entry.path);
        al_destroy_bitmap(canvas);
        if (!saved)
            return fail("write", entry.path);
    }
    for (const sound_entry& entry : sounds)
        if (!write_wav(game_dir + "/" + entry.path, entry.make()))
            return fail("write", entry.path);
    return true;
}
