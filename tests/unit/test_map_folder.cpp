#include "test_map_folder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include <unistd.h>

temp_game_folder::temp_game_folder()
{
    char here[4096];
    if (!getcwd(here, sizeof here))
        throw std::runtime_error("no working directory");
    previous = here;
    char pattern[] = "/tmp/zk3-map-test-XXXXXX";
    if (!mkdtemp(pattern))
        throw std::runtime_error("cannot make a temporary folder");
    root = pattern;
    std::filesystem::create_directory(root + "/zkm");
    std::filesystem::create_directory(root + "/png");
    if (chdir(root.c_str()) != 0)
        throw std::runtime_error("cannot enter " + root);
}

temp_game_folder::~temp_game_folder()
{
    if (chdir(previous.c_str()) != 0)
        std::perror(previous.c_str());
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

void temp_game_folder::write(const std::string& relative, const std::string& text) const
{
    std::ofstream(root + "/" + relative, std::ios::binary) << text;
}

void temp_game_folder::write_tile(const std::string& name, ALLEGRO_COLOR colour, int left,
                                  int right) const
{
    ALLEGRO_BITMAP* tile = al_create_bitmap(40, 40);
    ALLEGRO_STATE state;
    al_store_state(&state, ALLEGRO_STATE_TARGET_BITMAP);
    al_set_target_bitmap(tile);
    al_clear_to_color(al_map_rgba(0, 0, 0, 0));
    for (int x = left; x < right; x++)
        for (int y = 0; y < 40; y++)
            al_put_pixel(x, y, colour);
    al_restore_state(&state);
    al_save_bitmap((root + "/png/" + name).c_str(), tile);
    al_destroy_bitmap(tile);
}

std::string map_text::str() const
{
    std::string text = std::to_string(columns * 40) + " " + std::to_string(rows * 40) + "\n" + sky;
    text += std::to_string(back.size()) + "\n" + std::to_string(wall.size()) + "\n";
    for (const auto* layer : {&back, &wall}) {
        for (size_t i = 0; i < layer->size(); i++)
            text += (*layer)[i] + (i + 1 < layer->size() ? " " : "\n");
    }
    char code[16];
    for (int r = 0; r < rows; r++) {
        for (int c = 0; c < columns; c++) {
            size_t i = static_cast<size_t>(r * columns + c);
            std::snprintf(code, sizeof code, "%06i", i < codes.size() ? codes[i] : 0);
            text += code;
            text += c + 1 < columns ? " " : "\n";
        }
    }
    return text;
}
