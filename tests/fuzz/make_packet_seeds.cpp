// Writes the packet reader's fuzzing seeds: one small good packet of each
// kind, each also without its first three bytes, as the fuzzer reads it
// behind a good header too. Run it after a change to the format:
//   cmake --build build-fuzz --target make_packet_seeds
//   build-fuzz/make_packet_seeds tests/fuzz/packet_seeds
#include <cstdio>
#include <fstream>
#include <string>

#include "net/net_messages.h"

namespace {

// Three by two cells with one spawn point and no pictures.
const char small_map[] = "120 80\n0.5 0.5 1\n0 0 0.25\n0\n0\n000001 000000 000000\n000000 000000 000002\n";

net_player look(int hair, int shirt, int pants, const char* name)
{
    net_player player;
    player.colors[0] = hair, player.colors[1] = shirt, player.colors[2] = pants;
    player.name = name;
    return player;
}

control_reading reading(std::uint16_t keys, std::uint8_t buttons, int x, int y, float scale)
{
    control_reading r;
    r.keys = keys, r.buttons = buttons, r.pointer_x = x, r.pointer_y = y;
    r.scale_x = r.scale_y = scale;
    return r;
}

bool write(const std::string& folder, const char* name, const std::string& packet)
{
    bool good = true;
    for (int behind_header = 0; behind_header < 2; behind_header++) {
        const std::string path = folder + "/" + name + (behind_header ? ".body" : ".packet");
        const std::string bytes = behind_header ? packet.substr(3) : packet;
        std::ofstream out(path, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        good = good && static_cast<bool>(out);
    }
    return good;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_packet_seeds <folder>\n");
        return 2;
    }
    const std::string folder = argv[1];

    net_hello hello;
    hello.look = look(2, 5, 1, "Ann");

    net_lobby lobby;
    lobby.your_slot = 2;
    lobby.humans = {look(0, 0, 3, "host"), look(1, 4, 2, "Ann"), look(2, 5, 5, "b-2_c d")};
    lobby.map_name = "small.zkm";
    lobby.bots = 4;
    lobby.skill = 0;
    lobby.rules = {most_score_limit, 10};
    lobby.host_plays = false;

    net_start start;
    start.seed = 1234567;
    start.skill = 2;
    start.bots = 1;
    start.rules = {20, most_time_limit};
    start.humans = {look(0, 0, 3, "host"), look(1, 1, 1, "FIFTEEN_LETTERS")};
    start.map_name = "small.zkm";
    start.map_text = small_map;

    // Two entries: one of runs after a reading in the middle, one with a
    // scale of its own near the last tick; the have-until ticks of the
    // slots the receiver sends.
    net_inputs inputs;
    inputs.sender_tick = 310;
    for (int slot = 1; slot < net_max_slots; slot += 2)
        inputs.have_until[slot] = 300 + static_cast<std::uint32_t>(slot);
    net_slot_inputs first;
    first.slot = 0;
    first.first_tick = 300;
    const control_reading first_readings[] = {
        reading(0, 0, 960, 540, 1), reading(0, 0, 960, 540, 1), reading(key_right | key_jump, button_fire, 961, 538, 1),
        reading(all_control_keys, all_control_buttons, -1000000, 1000000, 1)};
    pack_readings(first, reading(0, 0, 900, 500, 1), first_readings, 4);
    net_slot_inputs second;
    second.slot = 4;
    second.first_tick = 4294967000u;
    const control_reading second_readings[] = {reading(key_weapon_3, button_throw, 20, -20, 0.5f),
                                               reading(key_weapon_3, button_throw, 25, -20, 0.5f)};
    pack_readings(second, reading(0, 0, 0, 0, 1), second_readings, 2);
    inputs.slots = {first, second};

    net_hash hash;
    hash.tick = 6000;
    hash.hash = 0x0123456789abcdefull;

    net_leave leave;
    leave.slot = 3;
    leave.tick = 4500;

    net_bye bye;
    bye.why = "the host left";

    net_chat chat;
    chat.slot = 10;
    chat.tick = 123456;
    chat.text = "GG, well played ~ see you at 8:00 {again}!";

    net_chat note;
    note.slot = net_chat_note_slot;
    note.text = "TWO LINES A SECOND AT MOST";

    // Its replay is the replay reader's to fuzz; here only its framing.
    net_catch_up catch_up;
    catch_up.replay = std::string("ZK3RPLAY\x03\0\0\0", 12);

    net_enter enter;
    enter.slot = 4;
    enter.tick = 30050;
    enter.look.name = "LATE ONE";
    enter.yours = true;

    const bool written = write(folder, "hello", encode(hello)) && write(folder, "lobby", encode(lobby)) &&
                         write(folder, "start", encode(start)) && write(folder, "inputs", encode(inputs)) &&
                         write(folder, "hash", encode(hash)) && write(folder, "leave", encode(leave)) &&
                         write(folder, "bye", encode(bye)) && write(folder, "chat", encode(chat)) &&
                         write(folder, "note", encode(note)) && write(folder, "catch_up", encode(catch_up)) &&
                         write(folder, "enter", encode(enter)) && write(folder, "ready", encode_ready());
    if (!written) {
        std::fprintf(stderr, "make_packet_seeds: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
