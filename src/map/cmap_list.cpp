// Listing the map files of zkm/ and choosing the one the options name.
#include "map/cmap.h"

#include <cctype>
#include <cstring>
#include <sstream>
#include <string>

#include "frontend/coptions.h"
#include "map/map_file.h"

namespace {

const char map_folder[] = "zkm";
const char map_extension[] = ".zkm";

// Only a plain file can be a map: a folder or a pipe named *.zkm is skipped.
bool is_plain_file(ALLEGRO_FS_ENTRY* entry)
{
    uint32_t mode = al_get_fs_entry_mode(entry);
    return (mode & ALLEGRO_FILEMODE_ISFILE) && !(mode & ALLEGRO_FILEMODE_ISDIR);
}

}  // namespace

void cmap::load()
{
    std::memset(map_names, 0, sizeof map_names);
    nm = 0;
    ALLEGRO_FS_ENTRY* folder = al_create_fs_entry(map_folder);
    if (!folder)
        return;
    if (!al_open_directory(folder)) {
        al_destroy_fs_entry(folder);
        return;
    }
    ALLEGRO_FS_ENTRY* entry;
    while (nm < max_maps && (entry = al_read_directory(folder))) {
        ALLEGRO_PATH* path = nullptr;
        if (is_plain_file(entry))
            path = al_create_path(al_get_fs_entry_name(entry));
        if (path) {
            const char* name = al_get_path_filename(path);
            if (std::strlen(name) <= max_name_length
                && std::strcmp(al_get_path_extension(path), map_extension) == 0) {
                std::strcpy(map_names[nm], name);
                nm++;
            }
            al_destroy_path(path);
        }
        al_destroy_fs_entry(entry);
    }
    al_close_directory(folder);
    al_destroy_fs_entry(folder);
}

void cmap::get_name(int index, char* out, bool display) const
{
    out[0] = '\0';
    if (index < 0 || index >= nm)
        return;
    std::strcpy(out, map_names[index]);
    if (!display)
        return;
    size_t length = std::strlen(out);
    size_t shown = length >= 4 ? length - 4 : 0;
    out[shown] = '\0';
    for (size_t i = 0; i < shown; i++)
        out[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(out[i])));
}

bool cmap::init()
{
    std::string name, text;
    if (!chosen_text(name, text))
        return false;
    std::istringstream in(text);
    const bool accepted = read(in, map_file_path(name.c_str()).c_str());
    print_messages();
    return accepted;
}

bool cmap::chosen_text(std::string& name, std::string& text)
{
    const int level = options.get_level();
    if (nm == 0 || level < 0 || level >= nm) {
        if (nm == 0)
            refuse("no maps in %s/", map_folder);
        else
            refuse("map %d is not among the %d maps in %s/", level, nm, map_folder);
        print_messages();
        return false;
    }
    name = map_names[level];
    const std::string path = map_file_path(map_names[level]);
    if (!read_map_text(path, text)) {
        refuse("%s: cannot open the file", path.c_str());
        print_messages();
        return false;
    }
    return true;
}
