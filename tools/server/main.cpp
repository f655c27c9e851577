// zk3-server: hosts network matches with no fighter of its own, match after
// match over a rotation of maps, on a machine with no display or sound. See
// server_options.cpp (or --help) for its command line and
// dedicated_server.h for what it does.
#include <cstdio>
#include <string>

#include <allegro5/allegro.h>

#include "dedicated_server.h"
#include "replay/replay_folder.h"
#include "stop_signals.h"

namespace {

const int bad_usage = 2;
const int failed = 1;

}  // namespace

int main(int argc, char** argv)
{
    server_options settings;
    std::string error;
    switch (read_server_options(argc, argv, settings, error)) {
    case server_command::help:
        std::fputs(server_usage, stdout);
        return 0;
    case server_command::refuse:
        std::fprintf(stderr, "zk3-server: %s\nzk3-server --help lists the options.\n", error.c_str());
        return bad_usage;
    case server_command::run:
        break;
    }
    map_rotation maps;
    if (!maps.load(settings.maps, error)) {
        std::fprintf(stderr, "zk3-server: %s\n", error.c_str());
        return bad_usage;
    }
    const std::string replays = settings.replays.empty() ? replay_folder() : settings.replays;
    if (replays.empty()) {
        std::fprintf(stderr, "zk3-server: no folder for replays: neither XDG_DATA_HOME nor HOME is set; "
                             "give --replays FOLDER\n");
        return bad_usage;
    }
    // No display, no sound, no input: the library only for the match's memory bitmaps.
    if (!al_init()) {
        std::fprintf(stderr, "zk3-server: the multimedia library did not start\n");
        return failed;
    }
    catch_stop_signals();
    dedicated_server server(settings, maps, replays);
    if (!server.open(error)) {
        std::fprintf(stderr, "zk3-server: %s\n", error.c_str());
        return failed;
    }
    return server.run();
}
