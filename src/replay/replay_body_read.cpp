// Reading a replay's body. The file comes from outside the program, so each
// value is checked against the game's limits as it comes, and no count is
// trusted with memory before the bytes left could hold what it counts. The
// map text must be a map the game's own reader takes.
#include <limits>
#include <memory>
#include <sstream>

#include "codec/checked_reader.h"
#include "map/map_file.h"
#include "match/match_limits.h"
#include "replay/replay_body.h"

namespace {

// A checkpoint comes every thousand ticks at most, plus one at each end.
const std::uint32_t ticks_per_checkpoint = 1000;
// The fewest bytes a checkpoint and a run take in the body.
const std::size_t smallest_checkpoint = 1 + 8;
const std::size_t smallest_run = 1;
// A chat line: its tick, its slot and a one-byte text with its length.
const std::size_t smallest_chat_line = 1 + 1 + 1 + 1;

// The name as a message may show it: printable characters only, cut short.
std::string shown(const std::string& text)
{
    const std::size_t longest = 24;
    std::string out;
    for (std::size_t i = 0; i < text.size() && i < longest; i++) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        out += (c >= 32 && c < 127) ? static_cast<char>(c) : '?';
    }
    return text.size() > longest ? out + "..." : out;
}

// Big enough that it lives on the heap.
struct played_map {
    map_header header;
    cell_grid cells;
};

// Reads the body front to back; the first fault ends the reading with a
// message naming the human and the run it was in.
class body_parser : private checked_reader {
public:
    body_parser(const std::string& body, std::uint32_t format_version, replay_data& replay, std::string& reason)
        : checked_reader(body, "body", reason), version(format_version), out(replay)
    {
    }

    bool read()
    {
        out = replay_data();
        if (!read_settings() || !read_map() || !read_ticks() || !read_checkpoints())
            return false;
        for (human = 0; human < static_cast<int>(out.humans.size()); human++)
            if (!read_human(out.setup.humans[human], out.humans[human]))
                return false;
        human = -1;
        if (!check_lineup())
            return false;
        if (version >= 3 && (!read_match_rules(out.setup.rules) || !read_chat()))
            return false;
        if (in.left() > 0)
            return fail("%s after the %s", counted(in.left(), "byte").c_str(),
                        version >= 3 ? "chat" : "last human");
        return check_map();
    }

private:
    bool read_settings()
    {
        std::uint64_t skill = 0;
        std::uint64_t bots = 0;
        std::uint64_t humans = 0;
        if (!in.u32(out.setup.seed))
            return ends_inside("the seed");
        if (!number("the skill", skill) || !number("the number of bots", bots) ||
            !number("the number of humans", humans))
            return false;
        if (!check_skill(skill, out.setup.skill))
            return false;
        if (bots > max_replay_bots)
            return fail("%llu bots; a match has 0 to %d", wide(bots), max_replay_bots);
        // The fighters are counted once the humans say who began.
        if (humans < 1 || humans > max_players)
            return fail("%llu humans; a match has 1 to %d", wide(humans), max_players);
        out.setup.bots = static_cast<int>(bots);
        out.setup.humans.resize(humans);
        out.humans.resize(humans);
        return true;
    }

    bool read_map()
    {
        if (!take_map_name(out.setup.map_name))
            return false;
        if (!is_map_name(out.setup.map_name))
            return fail("the map name \"%s\" is not a map file name (letters, digits, '_', '-', '.', "
                        "ending \".zkm\")", shown(out.setup.map_name).c_str());
        std::uint64_t length = 0;
        if (!number("the map text's length", length) || !check_map_text_length(length))
            return false;
        if (!in.take(length, out.setup.map_text))
            return ends_inside("the map text");
        return true;
    }

    bool read_ticks()
    {
        std::uint64_t ticks = 0;
        if (!number("the ticks", ticks))
            return false;
        if (ticks > max_replay_ticks)
            return fail("%llu ticks; a replay holds at most %u", wide(ticks), max_replay_ticks);
        out.ticks = static_cast<std::uint32_t>(ticks);
        return true;
    }

    bool read_checkpoints()
    {
        std::uint64_t count = 0;
        if (!number("the number of checkpoints", count))
            return false;
        const std::uint64_t most = out.ticks / ticks_per_checkpoint + 2;
        if (count > most)
            return fail("%llu checkpoints in %u ticks (at most %llu)", wide(count), out.ticks, wide(most));
        if (count > in.left() / smallest_checkpoint)
            return fail("%llu checkpoints in the %zu bytes left", wide(count), in.left());
        out.checkpoints.resize(count);
        for (std::size_t i = 0; i < count; i++) {
            replay_checkpoint& checkpoint = out.checkpoints[i];
            std::uint64_t step = 0;
            if (!number("a checkpoint's tick", step))
                return false;
            if (step > std::numeric_limits<std::uint32_t>::max())
                return fail("checkpoint %zu's tick is beyond any match", i + 1);
            const std::uint32_t previous = i > 0 ? out.checkpoints[i - 1].tick : 0;
            checkpoint.tick = previous + static_cast<std::uint32_t>(step);
            if (i > 0 && checkpoint.tick <= previous)
                return fail("checkpoint %zu at tick %u is not after the one at tick %u", i + 1,
                            checkpoint.tick, previous);
            if (checkpoint.tick > out.ticks)
                return fail("checkpoint %zu at tick %u is after the match's last tick, %u", i + 1,
                            checkpoint.tick, out.ticks);
            if (!in.u64(checkpoint.hash))
                return ends_inside("a checkpoint's hash");
        }
        return true;
    }

    bool read_human(human_look& look, recorded_human& recorded)
    {
        for (int part = 0; part < colour_parts; part++) {
            std::uint64_t value = 0;
            if (!number(colour_names[part], value) || !check_colour(part, value, look.colors[part]))
                return false;
        }
        if (!read_name(look.name))
            return false;
        if (!read_scale("horizontal", recorded.scale_x) || !read_scale("vertical", recorded.scale_y))
            return false;
        if (version >= 4 && !read_first_tick(recorded.first_tick))
            return false;
        std::uint64_t count = 0;
        if (!number("the number of runs", count))
            return false;
        if (count > out.ticks)
            return fail("%llu runs in a match of %u ticks", wide(count), out.ticks);
        if (count > in.left() / smallest_run)
            return fail("%llu runs in the %zu bytes left", wide(count), in.left());
        recorded.runs.resize(count);
        control_reading previous;
        std::uint64_t ticks = recorded.first_tick;
        for (run = 0; run < count; run++) {
            input_run& next = recorded.runs[run];
            next.reading = previous;
            next.reading.scale_x = recorded.scale_x;
            next.reading.scale_y = recorded.scale_y;
            if (!read_run(next))
                return false;
            ticks += next.ticks;
            if (ticks > out.ticks)
                return fail("the runs%s last longer than the match's %u ticks",
                            came_in(recorded.first_tick).c_str(), out.ticks);
            previous = next.reading;
        }
        run = no_run;
        return true;
    }

    // Those who began come first, then those who came late in the order
    // they came, each before the match was over.
    bool read_first_tick(std::uint32_t& first_tick)
    {
        std::uint64_t tick = 0;
        if (!number("the tick it came in", tick))
            return false;
        const std::uint32_t before = human > 0 ? out.humans[human - 1].first_tick : 0;
        if (tick == 0 && before > 0)
            return fail("it began the match, after a human who came in late");
        if (tick == 0)
            return true;
        if (human == 0)
            return fail("it came in late, at tick %llu; the first human began the match", wide(tick));
        if (tick >= out.ticks)
            return fail("it came in at tick %llu, when the match's %u ticks were over", wide(tick), out.ticks);
        if (tick < before)
            return fail("it came in at tick %llu, before human %d at tick %u", wide(tick), human, before);
        first_tick = static_cast<std::uint32_t>(tick);
        return true;
    }

    static std::string came_in(std::uint32_t first_tick)
    {
        return first_tick > 0 ? " from tick " + std::to_string(first_tick) : "";
    }

    // The match began with the humans who did not come late and the bots;
    // each who came late took over one of those bots' fighters.
    bool check_lineup()
    {
        const std::size_t began = static_cast<std::size_t>(starting_humans(out));
        const std::size_t late = out.humans.size() - began;
        const std::size_t bots = static_cast<std::size_t>(out.setup.bots);
        if (began + bots < 2 || began + bots > max_players)
            return fail("%s and %s at the start; a match has 2 to %d fighters", counted(began, "human").c_str(),
                        counted(bots, "bot").c_str(), max_players);
        if (late > bots)
            return fail("%s came in late, but only %s had fighters to take over", counted(late, "human").c_str(),
                        counted(bots, "bot").c_str());
        return true;
    }

    bool read_chat()
    {
        std::uint64_t count = 0;
        if (!number("the number of chat lines", count))
            return false;
        if (count > in.left() / smallest_chat_line)
            return fail("%llu chat lines in the %zu bytes left", wide(count), in.left());
        out.chat.resize(count);
        std::uint64_t tick = 0;
        for (std::size_t i = 0; i < count; i++) {
            chat_line = i;
            recorded_chat& line = out.chat[i];
            std::uint64_t step = 0;
            std::uint64_t speaker = 0;
            if (!number("a chat line's tick", step) || !number("a chat line's slot", speaker))
                return false;
            // Each step is checked before the sum, so that it cannot overflow.
            if (step > out.ticks || tick + step > out.ticks)
                return fail("its tick is after the match's last tick, %u", out.ticks);
            tick += step;
            if (speaker >= out.humans.size())
                return fail("the speaker %llu is not one of the %zu humans", wide(speaker), out.humans.size());
            line.tick = static_cast<std::uint32_t>(tick);
            line.slot = static_cast<int>(speaker);
            if (!read_chat_text(line.text))
                return false;
        }
        chat_line = no_run;
        return true;
    }

    // Version 1 kept no names: its humans are numbered.
    bool read_name(std::string& name)
    {
        if (version < 2) {
            name = std::string(fallback_player_name) + " " + std::to_string(human + 1);
            return true;
        }
        return read_player_name(name);
    }

    // `next` starts as the run before; what the flags say changed is read over it.
    bool read_run(input_run& next)
    {
        const std::string longest = "the match's " + std::to_string(out.ticks) + " ticks";
        run_change change;
        if (!checked_reader::read_run(change, out.ticks, longest.c_str()))
            return false;
        const control_reading before = next.reading;
        std::string reason;
        return follow_run(before, change, next, reason) || fail("%s", reason.c_str());
    }

    // Last, as it is the slowest check.
    bool check_map()
    {
        auto map = std::make_unique<played_map>();
        std::istringstream text(out.setup.map_text);
        std::string reason;
        if (!read_map_file(text, out.setup.map_name.c_str(), map->header, map->cells, reason))
            return fail("its map: %s", reason.c_str());
        return true;
    }

    std::string where() const override
    {
        if (chat_line != no_run)
            return "chat line " + std::to_string(chat_line + 1) + ": ";
        if (human >= 0 && run != no_run)
            return "human " + std::to_string(human + 1) + ", run " + std::to_string(run + 1) + ": ";
        if (human >= 0)
            return "human " + std::to_string(human + 1) + ": ";
        return "";
    }

    static constexpr std::size_t no_run = static_cast<std::size_t>(-1);

    std::uint32_t version;
    replay_data& out;
    int human = -1;
    std::size_t run = no_run;
    std::size_t chat_line = no_run;
};

}  // namespace

bool read_replay_body(const std::string& body, std::uint32_t version, replay_data& out, std::string& error)
{
    return body_parser(body, version, out, error).read();
}
