// Opening the map to edit, saving it, and letting go of its pictures.
//
// Saving never loses a map: the new text goes to "<name>.tmp" beside the
// file, is flushed to the disk and closed, and only then renamed over the
// map; the version it replaces is kept as "<name>.bak" first. The map list
// shows neither, since it takes only names ending in ".zkm".
#include "map/ceditor.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

#include "frontend/coptions.h"
#include "map/map_file.h"

namespace {

const int zoom_cell_sizes[ceditor::zoom_steps] = {40, 20, 10, 5, 4};

// Big enough for one layer's 99 names joined by spaces (the reader keeps
// each name to 40 characters), with room to spare.
static_assert(cmap::max_pictures * (max_picture_name + 1) <= ceditor::names_size,
              "picture names do not fit");

std::string reason_of(const std::string& path, int error_number)
{
    return path + ": " + std::strerror(error_number);
}

// Writes `text` to `path` so that the file is either the old one or the whole
// new one: the text goes to "<path>.tmp", is flushed and synced, and the
// temporary file is renamed over `path`. On failure the temporary file is
// removed and `why` names the file and the cause.
bool replace_file(const std::string& path, const std::string& text, std::string& why)
{
    const std::string temporary = path + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "w");
    if (!file) {
        why = reason_of(temporary, errno);
        return false;
    }
    errno = 0;
    int failure = 0;
    if (std::fwrite(text.data(), 1, text.size(), file) != text.size() || std::fflush(file) != 0
        || fsync(fileno(file)) != 0)
        failure = errno != 0 ? errno : EIO;
    if (std::fclose(file) != 0 && failure == 0)
        failure = errno != 0 ? errno : EIO;
    if (failure == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) {
        why = reason_of(path, errno);
        unlink(temporary.c_str());
        return false;
    }
    if (failure != 0) {
        why = reason_of(temporary, failure);
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

// Keeps the file at `path`, if there is one, as "<path>.bak".
bool keep_backup(const std::string& path, std::string& why)
{
    FILE* old = std::fopen(path.c_str(), "rb");
    if (!old) {
        if (errno == ENOENT)
            return true;  // gone meanwhile: nothing to keep
        why = reason_of(path, errno);
        return false;
    }
    std::string bytes;
    char block[65536];
    size_t got;
    while ((got = std::fread(block, 1, sizeof block, old)) > 0)
        bytes.append(block, got);
    const bool read_whole = !std::ferror(old);
    std::fclose(old);
    if (!read_whole) {
        why = path + ": cannot read the previous version";
        return false;
    }
    return replace_file(path + ".bak", bytes, why);
}

}  // namespace

ceditor::ceditor()
{
    for (int i = 0; i < zoom_steps; i++)
        zoom_sizes[i] = zoom_cell_sizes[i];
}

bool ceditor::init()
{
    deinit();
    quit = editing;
    selection = 0;
    brush_layer = marker_layer;
    zoom_timer = 0;
    zoom = 0;
    picture_names[0][0] = picture_names[1][0] = '\0';
    latches = {};
    routes.reset();
    routes_stale = false;
    click_held = true;  // the press that opened the editor paints nothing
    changed = false;
    history.clear();
    message_timer = 0;
    message[0] = error[0] = '\0';

    char name[cmap::max_name_length + 1];
    map.get_name(options.get_level(), name, false);
    if (name[0] == '\0')
        return refuse("no map to edit: zkm/ holds no map file");
    std::snprintf(path, sizeof path, "%s", map_file_path(name).c_str());
    std::ifstream file(path);
    if (!file.is_open())
        return refuse("%s: cannot open the file", path);

    // The same checks as a match: a map the editor opens is one a match plays.
    map_header header;
    std::string why;
    if (!read_map_file(file, path, header, cells, why))
        return refuse("%s", why.c_str());
    width = header.width;
    height = header.height;
    sky = sky_of(header);
    for (int layer = 0; layer < 2; layer++) {
        picture_counts[layer] = header.picture_counts[layer];
        for (int k = 0; k < picture_counts[layer]; k++) {
            if (k > 0)
                std::strcat(picture_names[layer], " ");
            std::strcat(picture_names[layer], header.picture_names[layer][k]);
        }
    }
    const std::string missing = load_map_pictures(header, tile_bitmaps, path);
    if (!missing.empty()) {
        std::fprintf(stderr, "ZK3: %s\n", missing.c_str());
        post_message("%s", missing.c_str());
    }

    // The far corners follow the zoom and are set on every draw.
    fill_backdrop(backdrop, sky, 0);
    return true;
}

bool ceditor::refuse(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(error, sizeof error, format, arguments);
    va_end(arguments);
    std::fprintf(stderr, "ZK3: %s\n", error);
    width = height = 0;
    picture_counts[0] = picture_counts[1] = 0;
    return false;
}

void ceditor::post_message(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(message, sizeof message, format, arguments);
    va_end(arguments);
    message_timer = message_ticks;
}

std::string ceditor::file_text() const
{
    const float colours[6] = {sky.top_r, sky.top_g, sky.top_b, sky.bottom_r, sky.bottom_g, sky.bottom_b};
    const char* const lines[2] = {picture_names[0], picture_names[1]};
    std::ostringstream text;
    write_map_file(text, width, height, colours, picture_counts, lines,
                   [this](int column, int row) { return cells[column][row]; });
    return text.str();
}

std::string ceditor::test_copy()
{
    const int spawns = spawn_count();
    if (spawns < 1 || spawns > cmap::max_spawns) {
        post_message("NOT PLAYED: a match needs 1 to %d spawn points (markers 1 to 8); this map has %d.",
                     cmap::max_spawns, spawns);
        return "";
    }
    return file_text();
}

void ceditor::resume(const char* why)
{
    quit = editing;
    // The Escape that ended the match, or a button still down, acts on nothing.
    latches.escape.hold();
    click_held = true;
    if (why && *why)
        post_message("NOT PLAYED: %s", why);
}

int ceditor::spawn_count() const
{
    int count = 0;
    for (int column = 0; column < width / cmap::cell_size; column++) {
        for (int row = 0; row < height / cmap::cell_size; row++) {
            count += waypoint::spawn_point(cell_code::marker(cells[column][row]));
        }
    }
    return count;
}

bool ceditor::save()
{
    // The game refuses a map without a spawn point or with too many: such a
    // map would never open again, in a match or here.
    const int spawns = spawn_count();
    if (spawns < 1 || spawns > cmap::max_spawns) {
        post_message("NOT SAVED: a map needs 1 to %d spawn points (markers 1 to 8); this one has "
                     "%d.\nThe map is still here: fix it and save again, or leave without saving.",
                     cmap::max_spawns, spawns);
        quit = asking;
        return false;
    }

    std::string why;
    if (!keep_backup(path, why) || !replace_file(path, file_text(), why)) {
        std::fprintf(stderr, "ZK3: cannot save %s: %s\n", path, why.c_str());
        post_message("NOT SAVED: %s\nThe file on disk is unchanged and the map is still here: "
                     "save again, or leave without saving.",
                     why.c_str());
        quit = asking;
        return false;
    }
    changed = false;
    history.end_stroke();
    history.mark_saved();  // the history stays: the saved map can be undone too
    message[0] = '\0';
    message_timer = 0;
    return true;
}

void ceditor::deinit()
{
    for (auto& layer : tile_bitmaps) {
        for (ALLEGRO_BITMAP*& picture : layer) {
            if (picture)
                al_destroy_bitmap(picture);
            picture = nullptr;
        }
    }
}
