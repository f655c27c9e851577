// A throw-away game folder for map tests: zkm/ and png/ in a fresh temporary
// directory that becomes the working directory for the test's lifetime.
#pragma once

#include <string>
#include <vector>

#include <allegro5/allegro.h>

class temp_game_folder {
public:
    temp_game_folder();
    ~temp_game_folder();  // back to the previous working directory, folder removed
    temp_game_folder(const temp_game_folder&) = delete;
    temp_game_folder& operator=(const temp_game_folder&) = delete;

    // Writes `text` to a file given relative to the folder.
    void write(const std::string& relative, const std::string& text) const;
    // A 40 x 40 picture png/<name>: `colour` over columns [left, right), clear elsewhere.
    void write_tile(const std::string& name, ALLEGRO_COLOR colour, int left = 0,
                    int right = 40) const;

private:
    std::string root;
    std::string previous;
};

// The text of a map file as the editor writes it.
struct map_text {
    int columns = 3;
    int rows = 2;
    std::vector<std::string> back;  // picture names of layer 0
    std::vector<std::string> wall;  // of layer 1
    std::vector<int> codes;         // row after row; missing cells are 0
    std::string sky = "0.5 0.5 1\n0 0 0.25\n";

    std::string str() const;
};
