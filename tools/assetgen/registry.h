// Everything the generator makes: each picture and sound under the relative
// path the game loads it from, with the function that draws or synthesizes it.
#pragma once

#include <functional>
#include <string>

#include <allegro5/allegro.h>

#include "wave.h"

// Draws into the current target: a fresh transparent canvas of the picture's size.
using picture_painter = std::function<void()>;
using sound_maker = std::function<wave()>;

void add_picture(const std::string& path, int width, int height, picture_painter painter);
void add_sound(const std::string& path, sound_maker maker);

// A registered picture painted into a new memory bitmap (the caller destroys
// it), for pictures that show others; the target is restored afterwards.
ALLEGRO_BITMAP* paint_picture(const std::string& path);

// Writes every registered file under `game_dir`; false after naming a failure.
bool write_all(const std::string& game_dir);

// Each group of pictures or sounds registers itself here.
void add_font_strips();
void add_menu_art();
void add_options_art();
void add_hud_art();
void add_editor_art();
void add_fighter_art();
void add_weapon_art();
void add_effect_art();
void add_tile_art();
void add_sounds();
