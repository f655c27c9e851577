#include "netplay/network_screen.h"

#include <cstdio>

#include "app/arguments.h"
#include "app/input.h"
#include "app/pointer.h"
#include "app/shell.h"
#include "app/text.h"
#include "frontend/backdrop.h"
#include "frontend/coptions.h"
#include "frontend/settings_file.h"
#include "match/match_shape.h"
#include "match/player_name.h"
#include "net/net_messages.h"
#include "netplay/lobby_list.h"

namespace {

// A box on the screen, in logical units.
struct box {
    float left, top, right, bottom;

    bool holds(float x, float y) const { return left < x && x < right && top < y && y < bottom; }
};

const int title_y = 120;
const int label_x = 360;
const int field_x = 640;
const int field_pad = 8;
const int row_height = 46;
const int name_y = 260;
const int host_y = 360;
const int join_y = 460;
const int port_label_x = 640;
const int port_x = 760;
const int recent_y = 530;
const int recent_spacing = 40;
const int games_title_y = 760;
const int games_y = 805;
const int game_spacing = 36;
const int most_games_shown = 4;
const int message_y = 960;
const int keys_y = 1010;

const box name_box = {field_x - field_pad, name_y - field_pad,
                      field_x + field_pad + static_cast<float>(max_player_name) * 18, name_y + 38};
const box port_box = {port_x - field_pad, host_y - field_pad, port_x + field_pad + 5 * 18, host_y + 38};
const box address_box = {field_x - field_pad, join_y - field_pad,
                         field_x + field_pad + static_cast<float>(most_join_text) * 18, join_y + 38};
const box host_button = {label_x - field_pad, host_y - field_pad, label_x + 160, host_y + 38};
const box join_button = {label_x - field_pad, join_y - field_pad, label_x + 160, join_y + 38};

box recent_box(int row)
{
    const float top = static_cast<float>(recent_y + recent_spacing * row);
    return {address_box.left, top - 4, address_box.right, top + 30};
}

box game_box(int row)
{
    const float top = static_cast<float>(games_y + game_spacing * row);
    return {label_x - field_pad, top - 4, 1920 - label_x + field_pad, top + 30};
}

// WATCH at the right end of a game's row.
const int watch_width = 5 * 12 + 2 * field_pad;

box watch_box(int row)
{
    const box whole = game_box(row);
    return {whole.right - watch_width, whole.top, whole.right, whole.bottom};
}

// One game as its row says it: the host's name, the map, the players,
// whether it has begun and the ping.
std::string game_line(const found_game& game)
{
    char line[128];
    if (game.version != net_protocol_version)
        std::snprintf(line, sizeof line, "%-15s  %s  ANOTHER VERSION OF ZK3", game.name.c_str(), game.map.c_str());
    else
        std::snprintf(line, sizeof line, "%-15s  %-20s  %2d / %d  %-7s  %4d MS", game.name.c_str(), game.map.c_str(),
                      game.players, max_players, game.playing ? "PLAYING" : "LOBBY", game.ping_ms);
    return line;
}

const ALLEGRO_COLOR white = {1, 1, 1, 1};
const ALLEGRO_COLOR grey = {160 / 255.0f, 160 / 255.0f, 160 / 255.0f, 1};
const ALLEGRO_COLOR yellow = {1, 220 / 255.0f, 64 / 255.0f, 1};

bool is_digit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

void outline(const box& where, ALLEGRO_COLOR color)
{
    al_draw_rectangle(where.left, where.top, where.right, where.bottom, color, 2);
}

}  // namespace

network_screen::network_screen()
    : name_field(is_player_name_char, max_player_name), port_field(is_digit, 5),
      address_field(is_join_char, most_join_text)
{
    make_backdrop(backdrop);
}

void network_screen::init()
{
    name_field.set_text(options.get_player_name());
    port_field.set_text(std::to_string(options.get_host_port()));
    if (address_field.get_text().empty() && !options.get_joined().empty())
        address_field.set_text(options.get_joined().front());
    focused = field_id::none;
    chosen = choice::none;
    message.clear();
    click_latch.hold();
    std::string error;
    if (!finder.open(error))
        message = "CANNOT LOOK FOR GAMES: " + error;
}

text_field* network_screen::field(field_id which)
{
    switch (which) {
    case field_id::name: return &name_field;
    case field_id::port: return &port_field;
    case field_id::address: return &address_field;
    case field_id::none: break;
    }
    return nullptr;
}

void network_screen::update()
{
    finder.poll(game_finder::clock::now());
    poll_mouse();
    if (click_latch.pressed(mouse.buttons & 1)) {
        click(pointer_x(), pointer_y());
        if (done())
            return;
    }
    if (text_field* typing = field(focused)) {
        switch (typing->update()) {
        case text_field::outcome::confirmed: confirm(focused); break;
        case text_field::outcome::left:
            keep_name();
            focused = field_id::none;
            break;
        case text_field::outcome::editing: break;
        }
        return;
    }
    for (const typed_key& key : take_typed_keys())
        if (key.keycode == ALLEGRO_KEY_ESCAPE) {
            keep_name();
            chosen = choice::back;
            return;
        }
}

void network_screen::click(float x, float y)
{
    keep_name();
    if (host_button.holds(x, y))
        return host();
    if (join_button.holds(x, y))
        return join();
    focused = name_box.holds(x, y) ? field_id::name
            : port_box.holds(x, y) ? field_id::port
            : address_box.holds(x, y) ? field_id::address
                                      : field_id::none;
    const std::vector<found_game>& games = finder.games();
    for (int row = 0; row < static_cast<int>(games.size()) && row < most_games_shown; row++)
        if (game_box(row).holds(x, y))
            return join_found(games[static_cast<std::size_t>(row)], watch_box(row).holds(x, y));
    const std::vector<std::string>& joined = options.get_joined();
    for (int row = 0; row < static_cast<int>(joined.size()); row++)
        if (recent_box(row).holds(x, y)) {
            address_field.set_text(joined[static_cast<std::size_t>(row)]);
            focused = field_id::address;
        }
    take_typed_keys();  // typed before the click, for no field
}

void network_screen::confirm(field_id which)
{
    keep_name();
    focused = field_id::none;
    if (which == field_id::port)
        host();
    else if (which == field_id::address)
        join();
}

// A name the rule refuses (an empty one) gives the kept one back.
void network_screen::keep_name()
{
    if (name_field.get_text() == options.get_player_name())
        return;
    if (!is_player_name(name_field.get_text())) {
        name_field.set_text(options.get_player_name());
        message = "A NAME HAS 1 TO 15 LETTERS, DIGITS, SPACES, - AND _";
        return;
    }
    options.set_player_name(name_field.get_text());
    save_settings();
}

void network_screen::host()
{
    if (!read_port(port_field.get_text().c_str(), port)) {
        message = "THE PORT IS A NUMBER FROM 1 TO 65535";
        focused = field_id::port;
        return;
    }
    options.set_host_port(port);
    save_settings();
    chosen = choice::host;
}

void network_screen::join()
{
    if (!read_join_address(address_field.get_text(), address, port)) {
        message = "JOIN NEEDS AN ADDRESS: A NAME OR A NUMBER, AND :PORT IF NOT 27960";
        focused = field_id::address;
        return;
    }
    options.remember_joined(address_field.get_text());
    save_settings();
    chosen = choice::join;
}

void network_screen::join_found(const found_game& game, bool to_watch)
{
    if (game.version != net_protocol_version) {
        message = "THAT HOST RUNS ANOTHER VERSION OF ZK3";
        return;
    }
    address_field.set_text(game.address + ":" + std::to_string(game.port));
    join();
    if (to_watch && chosen == choice::join)
        chosen = choice::watch;
}

void network_screen::draw_games() const
{
    draw_text(white, "GAMES ON THIS NETWORK", label_x, games_title_y, true);
    const std::vector<found_game>& games = finder.games();
    if (games.empty())
        draw_text(grey, "LOOKING...", label_x, games_y, false);
    for (int row = 0; row < static_cast<int>(games.size()) && row < most_games_shown; row++) {
        const found_game& game = games[static_cast<std::size_t>(row)];
        const bool ours = game.version == net_protocol_version;
        draw_text(ours ? white : grey, game_line(game).c_str(), label_x, games_y + game_spacing * row, false);
        if (ours) {
            const box watch = watch_box(row);
            outline(watch, grey);
            draw_text(white, "WATCH", static_cast<int>(watch.left) + field_pad, games_y + game_spacing * row, false);
        }
    }
}

void network_screen::draw()
{
    draw_backdrop(backdrop);
    draw_centred_line("NETWORK", title_y, true);

    draw_text(white, "YOUR NAME", label_x, name_y, true);
    outline(name_box, focused == field_id::name ? white : grey);
    name_field.draw(field_x, name_y, true, focused == field_id::name);

    outline(host_button, white);
    draw_text(white, "HOST", label_x + 8, host_y, true);
    draw_text(grey, "PORT", port_label_x, host_y, true);
    outline(port_box, focused == field_id::port ? white : grey);
    port_field.draw(port_x, host_y, true, focused == field_id::port);

    outline(join_button, white);
    draw_text(white, "JOIN", label_x + 8, join_y, true);
    outline(address_box, focused == field_id::address ? white : grey);
    address_field.draw(field_x, join_y, true, focused == field_id::address);
    const std::vector<std::string>& joined = options.get_joined();
    for (int row = 0; row < static_cast<int>(joined.size()); row++)
        draw_text(grey, joined[static_cast<std::size_t>(row)].c_str(), field_x,
                  recent_y + recent_spacing * row, false);

    draw_games();
    if (!message.empty())
        draw_centred_line(message.c_str(), message_y, false, yellow);
    draw_centred_line("CLICK A FIELD TO TYPE   ENTER: HOST OR JOIN   ESCAPE: BACK", keys_y, false, grey);
    show_frame();
}
