// zk3_assetgen <game_dir>: draws every picture and synthesizes every sound of
// the game into <game_dir>/png and <game_dir>/wav, then checks that each file
// the game loads is there. Headless: no display, no audio device.
// zk3_assetgen --contact-sheet <out.png> <game_dir>: draws the already
// generated files of <game_dir> onto one sheet for looking them over.
#include <cstdio>
#include <string>
#include <vector>

#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>
#include <allegro5/allegro_ttf.h>

#include "app/assets.h"
#include "contact_sheet.h"
#include "lettering.h"
#include "registry.h"

namespace {

bool start_allegro()
{
    if (!al_init() || !al_init_image_addon() || !al_init_primitives_addon() || !al_init_font_addon() ||
        !al_init_ttf_addon())
        return false;
    // Everything is drawn in memory, in one byte order that the pixel passes know.
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    al_set_new_bitmap_format(ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE);
    return true;
}

void register_everything()
{
    add_font_strips();
    add_menu_art();
    add_options_art();
    add_hud_art();
    add_editor_art();
    add_fighter_art();
    add_weapon_art();
    add_effect_art();
    add_tile_art();
    add_sounds();
}

// Every file of the game's asset table must now exist.
bool all_game_files_present(const std::string& game_dir)
{
    bool complete = true;
    std::vector<std::string> paths = picture_paths();
    for (const std::string& path : sound_paths())
        paths.push_back(path);
    for (const std::string& path : paths)
        if (!al_filename_exists((game_dir + "/" + path).c_str())) {
            std::fprintf(stderr, "zk3_assetgen: missing %s\n", path.c_str());
            complete = false;
        }
    return complete;
}

}  // namespace

int main(int argc, char** argv)
{
    const bool sheet = argc == 4 && std::string(argv[1]) == "--contact-sheet";
    if (argc != 2 && !sheet) {
        std::fprintf(stderr, "usage: zk3_assetgen <game_dir>\n"
                             "       zk3_assetgen --contact-sheet <out.png> <game_dir>\n");
        return 2;
    }
    const std::string game_dir = argv[argc - 1];
    if (!start_allegro()) {
        std::fprintf(stderr, "zk3_assetgen: cannot start Allegro\n");
        return 1;
    }
    if (sheet) {
        bool written = write_contact_sheet(argv[2], game_dir);
        close_fonts();
        return written ? 0 : 1;
    }
    if (!al_make_directory((game_dir + "/png").c_str()) || !al_make_directory((game_dir + "/wav").c_str())) {
        std::fprintf(stderr, "zk3_assetgen: cannot create the folders under %s\n", game_dir.c_str());
        return 1;
    }
    register_everything();
    bool written = write_all(game_dir);
    close_fonts();
    if (!written || !all_game_files_present(game_dir))
        return 1;
    return 0;
}
