// Writes the replay reader's fuzzing seeds: a few small good replays, each as
// a whole file (.zkr) and as its bare body (.body), which the fuzzer also
// reads behind a good header. Run it after a change to the format:
//   cmake --build build-fuzz --target make_replay_seeds
//   build-fuzz/make_replay_seeds tests/fuzz/replay_seeds
#include <cstdio>
#include <fstream>
#include <string>

#include "replay/replay_file.h"

namespace {

// Three by two cells with one spawn point and no pictures.
const char small_map[] = "120 80\n0.5 0.5 1\n0 0 0.25\n0\n0\n000001 000000 000000\n000000 000000 000002\n";

void hold(recorded_human& human, std::uint16_t keys, std::uint8_t buttons, int x, int y, int ticks)
{
    control_reading reading;
    reading.keys = keys;
    reading.buttons = buttons;
    reading.pointer_x = x;
    reading.pointer_y = y;
    reading.scale_x = human.scale_x;
    reading.scale_y = human.scale_y;
    for (int i = 0; i < ticks; i++)
        human.add(reading);
}

replay_data small_replay(int humans, int bots, std::uint32_t ticks)
{
    replay_data replay;
    replay.setup.seed = 1234567u * static_cast<std::uint32_t>(humans + bots);
    replay.setup.bots = bots;
    replay.setup.map_name = "small.zkm";
    replay.setup.map_text = small_map;
    replay.ticks = ticks;
    replay.humans.resize(humans);
    replay.setup.humans.resize(humans);
    for (std::uint32_t tick = 0; tick <= ticks; tick += 1000)
        replay.checkpoints.push_back({tick, 0x9e3779b97f4a7c15ull * (tick + 1)});
    return replay;
}

bool write(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool write_seed(const std::string& folder, const char* name, const replay_data& replay,
                std::uint32_t version = replay_format_version)
{
    const std::string body = pack_replay_body(replay, version);
    return write(folder + "/" + name + ".zkr", wrap_replay_body(body, version)) &&
           write(folder + "/" + name + ".body", body);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_replay_seeds <folder>\n");
        return 2;
    }
    const std::string folder = argv[1];

    replay_data one = small_replay(1, 1, 40);
    hold(one.humans[0], 0, 0, 960, 540, 10);
    hold(one.humans[0], key_right, button_fire, 961, 538, 1);
    hold(one.humans[0], key_right | key_jump, button_fire, 970, 530, 29);

    replay_data two = small_replay(2, 3, 2500);
    recorded_human& first = two.humans[0];
    two.setup.humans[0] = {{2, 5, 3}, "FIFTEEN_LETTERS"};
    first.scale_x = 0.5f, first.scale_y = 0.75f;
    hold(first, key_left, 0, -5, 100, 3);
    hold(first, all_control_keys, all_control_buttons, -1000000, 1000000, 1);
    hold(first, key_weapon_2, button_throw, 20, 20, 2000);
    recorded_human& second = two.humans[1];
    two.setup.humans[1] = {{0, 0, 1}, "b-2_c d"};
    second.scale_x = 2, second.scale_y = 2;
    for (int tick = 0; tick < 300; tick++)
        hold(second, tick % 50 < 10 ? key_reload : 0, 0, tick * 2, 400 - tick, 1);

    two.setup.rules = {10, 5};
    two.chat = {{0, 1, "hi"}, {0, 0, "hello ~ all"}, {1500, 1, std::string(100, 'z')}, {2500, 0, "gg"}};

    // Two came in late on two of the three bots' fighters, the second leaving before the end.
    replay_data late = small_replay(1, 3, 1200);
    hold(late.humans[0], key_left, 0, 5, 5, 1200);
    late.humans.resize(3);
    late.setup.humans.resize(3);
    late.setup.humans[1].name = "LATE";
    late.humans[1].first_tick = 700;
    hold(late.humans[1], key_jump, button_fire, 30, 40, 500);
    late.humans[2].first_tick = 700;
    hold(late.humans[2], 0, button_throw, -3, 9, 100);
    late.chat = {{900, 1, "hi all"}};

    replay_data crowded = small_replay(11, 0, 5);
    for (recorded_human& human : crowded.humans)
        hold(human, key_slow_motion, 0, 1, 1, 5);

    if (!write_seed(folder, "one_human", one) || !write_seed(folder, "two_humans_one_left", two) ||
        !write_seed(folder, "eleven_humans", crowded) || !write_seed(folder, "first_version", two, 1) ||
        !write_seed(folder, "second_version", two, 2) || !write_seed(folder, "third_version", two, 3) ||
        !write_seed(folder, "two_came_late", late)) {
        std::fprintf(stderr, "make_replay_seeds: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
