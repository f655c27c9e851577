// The mode loop: the menu's choice says which screen runs next; every screen
// runs in the same fixed-step loop.
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "app/arguments.h"
#include "app/assets.h"
#include "app/input.h"
#include "app/shell.h"
#include "frontend/ccredits.h"
#include "frontend/cmenu.h"
#include "frontend/cnotice.h"
#include "frontend/coptions.h"
#include "frontend/settings_file.h"
#include "map/ceditor.h"
#include "map/cmap.h"
#include "match/cgame.h"
#include "match/menu_match.h"
#include "net/net_session.h"
#include "netplay/host_lobby.h"
#include "netplay/join_wait.h"
#include "netplay/match_cycle.h"
#include "netplay/network_match.h"
#include "netplay/network_screen.h"
#include "replay/replay_folder.h"
#include "replay/replay_list_screen.h"
#include "replay/replay_screen.h"

namespace {

// Each match seeds the generator afresh, so that its replay can: the first
// with --seed N takes N, every other the generator's next number.
bool seed_given = false;
unsigned int given_seed = 0;

std::uint32_t next_match_seed()
{
    if (seed_given) {
        seed_given = false;
        return given_seed;
    }
    return static_cast<std::uint32_t>(std::rand());
}

// Runs a screen until `done` holds after a step: one update per timer tick,
// and a frame only when no tick is pending.
template <class Screen, class Done>
void run(Screen& screen, Done done)
{
    forget_presses();  // a key pressed on the last screen is not this one's
    for (;;) {
        al_wait_for_event(queue, &event);
        if (event.type == ALLEGRO_EVENT_DISPLAY_CLOSE) {
            close_requested = true;
            return;
        }
        if (event.type != ALLEGRO_EVENT_TIMER)
            continue;
        screen.update();
        if (al_is_event_queue_empty(queue))
            screen.draw();
        if (done())
            return;
    }
}

// A match runs until Escape; a map that cannot be played is explained
// until a key or a click instead.
void play()
{
    menu_match match;
    if (!match.init(next_match_seed())) {
        cnotice notice;
        notice.init(map.get_error());
        run(notice, [&notice] { return notice.get_done(); });
        return;
    }
    run(match, [&match] { return match.done(); });
    match.deinit();
}

// A message until a key or a click.
void explain(const std::string& why)
{
    cnotice notice;
    notice.init(why.c_str());
    run(notice, [&notice] { return notice.get_done(); });
}

// A replay, from the command line before the menu or from the replays screen.
void watch_replay(const replay_data& replay)
{
    replay_screen screen;
    std::string error;
    if (!screen.init(replay, error)) {
        explain(error);
        return;
    }
    run(screen, [&screen] { return screen.done(); });
    screen.deinit();
}

// Network play given on the command line, before the menu: the host's lobby
// or a joiner's wait, then the match; after a match that ended by the
// host's limits, the lobby again for the next. A session that ends by
// itself (no host, the host gone) says why.
void play_network(const launch_choice& choice)
{
    net_session session;
    match_cycle cycle(session);
    std::string error;
    host_lobby lobby;
    join_wait wait;
    if (choice.hosting ? !lobby.init(cycle, choice.port, next_match_seed(), error, choice.rules)
                       : !wait.init(cycle, choice.join_address, choice.port, error, choice.watching)) {
        explain(error);
        return;
    }
    for (;;) {
        if (choice.hosting)
            run(lobby, [&lobby] { return lobby.done(); });
        else
            run(wait, [&wait] { return wait.done(); });
        if (!cycle.in_match())
            break;
        network_match match;
        match.init(cycle);
        if (!close_requested)
            run(match, [&match] { return match.done(); });
        match.deinit();
        if (close_requested || !cycle.in_lobby())
            break;
        if (choice.hosting)
            lobby.resume(next_match_seed());
        else
            wait.resume();
    }
    cycle.leave();
    if (!close_requested && !session.get_ended_why().empty())
        explain(session.get_ended_why());
}

// The replays screen until Escape; a replay picked there plays and comes
// back to it, and one that cannot be read is explained.
void browse_replays()
{
    replay_list_screen list;
    int selected = 0;
    for (;;) {
        list.init(replay_folder(), selected);
        run(list, [&list] { return list.done(); });
        selected = list.get_selected();
        if (close_requested || list.get_chosen().empty())
            return;
        replay_data replay;
        std::string error;
        if (load_replay(list.get_chosen(), replay, error))
            watch_replay(replay);
        else
            explain(error);
        if (close_requested)
            return;
    }
}

// The network screen from the menu: hosting or joining goes through the
// same lobby, wait and match as from the command line, and comes back here.
void network_menu()
{
    network_screen screen;
    for (;;) {
        screen.init();
        run(screen, [&screen] { return screen.done(); });
        screen.deinit();
        if (close_requested || screen.get_choice() == network_screen::choice::back)
            return;
        launch_choice choice;
        choice.hosting = screen.get_choice() == network_screen::choice::host;
        choice.watching = screen.get_choice() == network_screen::choice::watch;
        choice.port = screen.get_port();
        if (!choice.hosting)
            choice.join_address = screen.get_address();
        play_network(choice);
        if (close_requested)
            return;
    }
}

// The options run until their back button; leaving them after a change of
// the display mode leaves a mode value that re-creates the display. The
// settings are kept for the next run.
void show_options()
{
    options.init();
    run(options, [] { return options.get_quit(); });
    save_settings();
}

// The credits run until Escape.
void show_credits()
{
    credits.init();
    run(credits, [] { return al_key_down(&keyboard, ALLEGRO_KEY_ESCAPE); });
    credits.deinit();
}

// A match on the editor's cells as they stand, read from a copy in memory:
// the map file is never touched. Escape returns to the editor.
void test_play()
{
    const std::string copy = editor.test_copy();
    std::istringstream in(copy);
    if (copy.empty() || !map.read(in, "the edited map")) {
        editor.resume(copy.empty() ? "" : map.get_error());
        return;
    }
    game.start();
    if (display)
        al_hide_mouse_cursor(display);
    run(game, [] { return al_key_down(&keyboard, ALLEGRO_KEY_ESCAPE); });
    game.deinit();
    editor.resume("");
}

// The editor runs until its leave dialog says so, saving on the first
// button; a save that fails keeps it open. F5 plays a test match and comes
// back. A map it cannot read is explained instead, and a window close with
// unsaved work opens the dialog rather than dropping the work.
void edit()
{
    if (!editor.init()) {
        cnotice notice;
        notice.init(editor.get_error());
        run(notice, [&notice] { return notice.get_done(); });
        return;
    }
    for (;;) {
        run(editor, [] {
            const int quit = editor.get_quit();
            return quit > 0 && (quit != ceditor::save_and_leave || editor.save());
        });
        if (editor.get_quit() == ceditor::test_play && !close_requested) {
            test_play();
            continue;
        }
        if (!close_requested || !editor.get_changed())
            break;
        close_requested = false;
        editor.ask_to_leave();
    }
    editor.deinit();
}

void shut_down()
{
    unload_data();
    deinit();
}

}  // namespace

int run_program(int argc, char** argv)
{
    launch_choice choice;
    std::vector<std::string> ignored;
    std::string error;
    if (!read_arguments(argc, argv, choice, ignored, error)) {
        std::fprintf(stderr, "ZK3: %s\n", error.c_str());
        return 2;
    }
    for (const std::string& argument : ignored)
        std::fprintf(stderr, "ZK3: ignoring the argument \"%s\"\n", argument.c_str());
    multisampling = choice.multisampling;
    replay_data replay;
    if (!choice.replay.empty() && !load_replay(choice.replay, replay, error)) {
        std::fprintf(stderr, "ZK3: %s\n", error.c_str());
        return 2;
    }
    if (!init()) {
        deinit();
        return 1;
    }
    if (choice.seeded) {
        std::srand(choice.seed);  // in place of the clock's seed
        seed_given = true;
        given_seed = choice.seed;
    }
    bool replay_waiting = !choice.replay.empty();
    bool network_waiting = choice.hosting || !choice.join_address.empty();
    map.load();
    load_settings();  // before the first display: it may be a window
    while (menu.get_choice() != mode_quit) {
        if (menu.get_choice() <= mode_start && !graphics()) {
            shut_down();
            return 1;
        }
        if (replay_waiting) {
            replay_waiting = false;
            watch_replay(replay);
            if (close_requested)
                break;
        }
        if (network_waiting) {
            network_waiting = false;
            play_network(choice);
            if (close_requested)
                break;
        }
        menu.init();
        run(menu, [] { return menu.get_choice() != mode_menu; });
        if (!close_requested) {
            switch (menu.get_choice()) {
            case mode_play: play(); break;
            case mode_options: show_options(); break;
            case mode_editor: edit(); break;
            case mode_credits: show_credits(); break;
            case mode_replays: browse_replays(); break;
            case mode_network: network_menu(); break;
            default: break;
            }
        }
        if (close_requested)
            menu.set_choice(mode_quit);
    }
    shut_down();
    return 0;
}
