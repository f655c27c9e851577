#include "contact_sheet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include <allegro5/allegro_font.h>
#include <allegro5/allegro_primitives.h>

#include "app/assets.h"
#include "canvas.h"
#include "fighters/cplayer.h"
#include "lettering.h"
#include "map/cmap.h"
#include "spectrogram.h"

namespace {

const int margin = 12;
const int label_height = 18;
const int sheet_width = 3100;

// Dolls: each drawn 1:1 into a cell this big, then shown twice as large.
const int doll_cell_w = 170, doll_cell_h = 110;
const int doll_x = 65, doll_y = 15;  // the fighter's corner in its cell
const int doll_zoom = 2;
const int walk_frames = 9;

const int spectrum_rows = 128;

struct bitmap_deleter {
    void operator()(ALLEGRO_BITMAP* b) const { al_destroy_bitmap(b); }
};
using bitmap_ptr = std::unique_ptr<ALLEGRO_BITMAP, bitmap_deleter>;

// Where each part of the sheet goes, worked out before anything is drawn.
struct placed {
    int x, y;
};

void draw_name(float x, float y, const std::string& text, rgba colour = grey(0.92f))
{
    if (ALLEGRO_FONT* font = font_of(typeface::regular, 14))
        al_draw_text(font, to_allegro(colour), x, y, 0, text.c_str());
}

void draw_checkerboard(int x, int y, int w, int h)
{
    const int square = 8;
    for (int j = 0; j < h; j += square)
        for (int i = 0; i < w; i += square) {
            bool light = ((i + j) / square) % 2 == 0;
            al_draw_filled_rectangle(x + i, y + j, x + std::min(w, i + square), y + std::min(h, j + square),
                                     to_allegro(grey(light ? 0.62f : 0.48f)));
        }
}

// Small sprites are shown enlarged, by a whole factor so pixels stay square.
int zoom_for(int w, int h)
{
    int largest = std::max(w, h);
    return largest <= 16 ? 4 : largest <= 48 ? 2 : 1;
}

struct picture_cell {
    std::string path;
    bitmap_ptr bitmap;
    int zoom;
    placed at;
};

int name_width(const std::string& text)
{
    ALLEGRO_FONT* font = font_of(typeface::regular, 14);
    return font ? al_get_text_width(font, text.c_str()) : 8 * static_cast<int>(text.size());
}

// "name.png WxH", with the enlargement when there is one.
std::string cell_name(const picture_cell& cell)
{
    char size[48];
    std::snprintf(size, sizeof size, " %dx%d%s", al_get_bitmap_width(cell.bitmap.get()),
                  al_get_bitmap_height(cell.bitmap.get()), cell.zoom > 1 ? (" x" + std::to_string(cell.zoom)).c_str() : "");
    return cell.path.substr(cell.path.find('/') + 1) + size;
}

// Lays the pictures out in rows from `top`; returns the bottom of the last row.
int lay_out(std::vector<picture_cell>& cells, int top)
{
    int x = margin, y = top, row_height = 0;
    for (picture_cell& cell : cells) {
        int w = al_get_bitmap_width(cell.bitmap.get()) * cell.zoom;
        int h = al_get_bitmap_height(cell.bitmap.get()) * cell.zoom + label_height;
        int cell_w = std::max(w, name_width(cell_name(cell)));
        if (x + cell_w > sheet_width - margin) {
            x = margin;
            y += row_height + margin;
            row_height = 0;
        }
        cell.at = {x, y};
        x += cell_w + margin;
        row_height = std::max(row_height, h);
    }
    return y + row_height + margin;
}

void draw_picture_cell(const picture_cell& cell)
{
    ALLEGRO_BITMAP* b = cell.bitmap.get();
    int w = al_get_bitmap_width(b), h = al_get_bitmap_height(b);
    draw_checkerboard(cell.at.x, cell.at.y + label_height, w * cell.zoom, h * cell.zoom);
    al_draw_scaled_bitmap(b, 0, 0, w, h, cell.at.x, cell.at.y + label_height, w * cell.zoom, h * cell.zoom, 0);
    draw_name(cell.at.x, cell.at.y, cell_name(cell));
}

// One doll by the game's own drawing: fighter 1 with gun `gun` (1..4), aimed
// at `aim_angle` to the side it faces, its legs at walk frame `frame`.
void draw_doll(int gun, bool left, int frame, float aim_angle, int x, int y)
{
    cplayer& doll = players[1];
    doll.init(1);
    doll.set_health(100);
    doll.give_weapon(gun);
    doll.place(doll_x, doll_y);
    float dx = std::cos(aim_angle) * 1000, dy = std::sin(aim_angle) * 1000;
    doll.aim(left ? -dx : dx, dy, 0);
    // Walk forwards until the legs show the wanted frame.
    doll.animation();
    for (int step = 0; step < 1000 && static_cast<int>(doll.get_frame()) != frame; step++) {
        left ? doll.move_left() : doll.move_right();
        doll.animation();
    }
    doll.get_weapon()->update();

    ALLEGRO_BITMAP* sheet = al_get_target_bitmap();
    bitmap_ptr cell(new_canvas(doll_cell_w, doll_cell_h));
    if (cell)
        doll.draw();
    al_set_target_bitmap(sheet);
    doll.deinit();
    if (!cell)
        return;
    draw_checkerboard(x, y, doll_cell_w * doll_zoom, doll_cell_h * doll_zoom);
    al_draw_scaled_bitmap(cell.get(), 0, 0, doll_cell_w, doll_cell_h, x, y, doll_cell_w * doll_zoom,
                          doll_cell_h * doll_zoom, 0);
    // The box the game collides with, so grips and feet can be judged against it.
    al_draw_rectangle(x + doll_x * doll_zoom + 0.5f, y + doll_y * doll_zoom + 0.5f,
                      x + (doll_x + 39) * doll_zoom - 0.5f, y + (doll_y + 80) * doll_zoom - 0.5f,
                      to_allegro(rgb8(0, 255, 255, 0.35f)), 1);
}

int draw_dolls(int top)
{
    const char* guns[4] = {"pistol", "machine gun", "shotgun", "minigun"};
    int y = top;
    map.set_screen(0, 0);
    std::srand(7);
    for (int gun = 1; gun <= 4; gun++)
        for (int side = 0; side < 2; side++) {
            draw_name(margin, y, std::string(guns[gun - 1]) + (side ? ", facing left" : ", facing right") +
                                     ": walk frames 1..9, aim from 0.8 rad up to 0.8 rad down");
            y += label_height;
            for (int frame = 0; frame < walk_frames; frame++) {
                float aim = -0.8f + 1.6f * frame / (walk_frames - 1);
                draw_doll(gun, side == 1, frame, aim, margin + frame * (doll_cell_w * doll_zoom + 4), y);
            }
            y += doll_cell_h * doll_zoom + margin;
        }
    return y;
}

int spectrogram_height() { return label_height + spectrum_rows + margin; }

bool draw_sound(const std::string& game_dir, const std::string& path, int y)
{
    pcm_sound sound;
    std::string why;
    if (!read_pcm_wav(game_dir + "/" + path, sound, why)) {
        std::fprintf(stderr, "zk3_assetgen: %s: %s\n", path.c_str(), why.c_str());
        return false;
    }
    float peak = 0;
    for (float s : sound.samples)
        peak = std::max(peak, std::fabs(s));
    const int columns = sheet_width - 2 * margin;
    char info[96];
    std::snprintf(info, sizeof info, "  %.2f s, peak %.2f, 0..%d Hz, %.1f ms a column",
                  sound.samples.size() / static_cast<double>(std::max(1, sound.rate)), peak, sound.rate / 2,
                  1000.0 * column_step(sound, columns) / std::max(1, sound.rate));
    ALLEGRO_BITMAP* sheet = al_get_target_bitmap();
    bitmap_ptr strip(draw_spectrogram(sound, spectrum_rows, columns));
    al_set_target_bitmap(sheet);
    draw_name(margin, y, path.substr(path.find('/') + 1) + info);
    if (strip)
        al_draw_bitmap(strip.get(), margin, y + label_height, 0);
    return strip != nullptr;
}

}  // namespace

bool write_contact_sheet(const std::string& out_png, const std::string& game_dir)
{
    std::vector<picture_cell> cells;
    for (const std::string& path : picture_paths()) {
        ALLEGRO_BITMAP* b = al_load_bitmap((game_dir + "/" + path).c_str());
        if (!b) {
            std::fprintf(stderr, "zk3_assetgen: cannot read %s/%s (generate the files first)\n",
                         game_dir.c_str(), path.c_str());
            return false;
        }
        cells.push_back({path, bitmap_ptr(b), zoom_for(al_get_bitmap_width(b), al_get_bitmap_height(b)), {0, 0}});
    }
    const std::vector<std::string> sounds = sound_paths();
    const int dolls_top = lay_out(cells, margin);
    const int dolls_height = 8 * (label_height + doll_cell_h * doll_zoom + margin);
    const int sounds_top = dolls_top + dolls_height;
    const int height = sounds_top + static_cast<int>(sounds.size()) * spectrogram_height();

    // The game's drawing code reads its pictures from the asset table, by relative path.
    char* previous = al_get_current_directory();
    bool loaded = al_change_directory(game_dir.c_str()) && load_data();
    if (previous) {
        al_change_directory(previous);
        al_free(previous);
    }
    if (!loaded) {
        unload_data();
        std::fprintf(stderr, "zk3_assetgen: cannot load the game's pictures from %s\n", game_dir.c_str());
        return false;
    }

    bool complete = true;
    bitmap_ptr sheet(new_canvas(sheet_width, height));
    if (sheet) {
        al_clear_to_color(al_map_rgb(24, 22, 26));
        for (const picture_cell& cell : cells)
            draw_picture_cell(cell);
        draw_dolls(dolls_top);
        for (std::size_t i = 0; i < sounds.size(); i++)
            complete = draw_sound(game_dir, sounds[i], sounds_top + static_cast<int>(i) * spectrogram_height()) &&
                       complete;
    }
    unload_data();
    if (!sheet || !al_save_bitmap(out_png.c_str(), sheet.get())) {
        std::fprintf(stderr, "zk3_assetgen: cannot write %s\n", out_png.c_str());
        return false;
    }
    return complete;
}
