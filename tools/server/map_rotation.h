// The maps a server plays in turn, each read and checked once at the start,
// so that a bad file stops the server before anyone joins, not mid-evening.
#pragma once

#include <string>
#include <vector>

struct rotation_map {
    std::string name;  // the file name, as the lobby and the finders name it
    std::string text;  // the whole file, as the start of a match carries it
};

// Checks a map file's name and text as the game would read them; false with
// the reason, naming the file.
bool check_map(const rotation_map& file, std::string& error);

class map_rotation {
public:
    // Reads and checks every file, in order; false with the first reason.
    bool load(const std::vector<std::string>& paths, std::string& error);
    // The map of the next match.
    const rotation_map& next() const { return maps[at]; }
    // The map after it comes next, the first again after the last.
    void advance() { at = (at + 1) % maps.size(); }
    std::size_t size() const { return maps.size(); }

private:
    std::vector<rotation_map> maps;
    std::size_t at = 0;
};
